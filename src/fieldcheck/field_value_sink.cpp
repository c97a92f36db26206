#include "fieldcheck/field_value_sink.h"

namespace traverse {

void FieldValueSink::Add(std::int16_t code, int round, const std::string& target, int face,
                         double value) {
    const ItemLimit& limit = m_limits[FieldItemIndex(code)];
    FieldCheckValue& entry = m_values.emplace_back();
    entry.code = code;
    entry.station = m_station;
    entry.round = round;
    entry.target = target;
    entry.face = face;
    entry.value = value;
    entry.limitSource = limit.source;
    entry.limit = limit.limit;
    entry.exceeded = ExceedsLimit(limit, value);
}

}  // namespace traverse
