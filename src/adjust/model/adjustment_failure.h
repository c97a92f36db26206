// Why the adjustment cannot run. Raised inside the subsystem and caught at its entry, so that each
// step can stop the whole adjustment with a message naming the point or observation.
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_FAILURE_H
#define TRAVERSE_ADJUST_ADJUSTMENT_FAILURE_H

#include <string>
#include <utility>

#include "traverse/adjust.h"

namespace traverse {

class AdjustmentFailure {
public:
    AdjustmentFailure(AdjustmentStatus status, std::string gbkMessage)
        : m_status(status), m_message(std::move(gbkMessage)) {}
    AdjustmentStatus Status() const { return m_status; }
    const std::string& Message() const { return m_message; }

private:
    AdjustmentStatus m_status;
    std::string m_message;
};

}  // namespace traverse

#endif
