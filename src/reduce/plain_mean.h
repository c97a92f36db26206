// The plain mean of the reductions, summed in array order: the adjustment input file, the field
// checks and the adjustment get the same double from the same readings.
#ifndef TRAVERSE_REDUCE_PLAIN_MEAN_H
#define TRAVERSE_REDUCE_PLAIN_MEAN_H

#include <vector>

namespace traverse {

// Sum in array order divided by the count. Callers never pass an empty array.
inline double PlainMean(const std::vector<double>& values) {
    double sum = 0.0;
    for (const double value : values) sum += value;
    return sum / static_cast<double>(values.size());
}

}  // namespace traverse

#endif
