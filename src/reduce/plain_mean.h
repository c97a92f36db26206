// The plain mean of the reductions, as the adjustment input file has always computed it.
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
