// Where the checks of one station put their values: each is stamped with the station and judged
// against its item's limit as it arrives.
#ifndef TRAVERSE_FIELDCHECK_FIELD_VALUE_SINK_H
#define TRAVERSE_FIELDCHECK_FIELD_VALUE_SINK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fieldcheck/item_limits.h"
#include "traverse/field_checks.h"

namespace traverse {

class FieldValueSink {
public:
    FieldValueSink(const ItemLimits& limits, const std::string& station,
                   std::vector<FieldCheckValue>& values, std::vector<LeftOutRound>& leftOut)
        : m_limits(limits), m_station(station), m_values(values), m_leftOut(leftOut) {}

    // round: 1-based, 0 for a value over the rounds; target empty for a value of a whole round;
    // face 1 or 2 for the closure, else 0.
    void Add(std::int16_t code, int round, const std::string& target, int face, double value);
    // A round 1003 leaves out: it opens on opening, not on the zero direction's orientation.
    void LeaveOut(int round, const std::string& opening, const std::string& orientation) {
        m_leftOut.push_back({m_station, round, opening, orientation});
    }

private:
    const ItemLimits& m_limits;
    const std::string& m_station;
    std::vector<FieldCheckValue>& m_values;
    std::vector<LeftOutRound>& m_leftOut;
};

// The number users see for the round at index.
inline int RoundNumber(std::size_t index) { return static_cast<int>(index) + 1; }

}  // namespace traverse

#endif
