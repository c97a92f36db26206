// What one station's attributes and one target record's attributes hold, read the same way from the
// document's tree and from the streamed observation section.
#ifndef TRAVERSE_IMPORT_RECORD_READINGS_H
#define TRAVERSE_IMPORT_RECORD_READINGS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "traverse/point3d.h"
#include "traverse/survey_records.h"

namespace traverse {

// Stores one station parameter attribute (name trimmed, GBK) into station and info; other
// attributes are ignored. False for a numeric parameter whose text is no number.
bool ReadStationParameter(const std::string& name, const std::string& value, CPoint3D& station,
                          TAGSurveyStationInfo& info);

// What an attribute of a target record holds.
enum class RecordAttribute : std::uint8_t { kFaceLeft, kFaceRight, kValues, kOther };

// name: trimmed, GBK.
RecordAttribute ClassifyRecordAttribute(std::string_view name);

// The readings of one target record, its attributes given in document order. Values that are no
// number are kept in notNumbers as Horizontal readings of round 0; the caller sets kind and round.
class TargetRecordReader {
public:
    // observe: the record, named; index: its place in its round; line: of its start tag.
    TargetRecordReader(CBaseObserve& observe, std::size_t index, long line,
                       std::vector<ValueNotNumber>& notNumbers);
    // name: trimmed, GBK; value: UTF-8. A value GBK cannot hold raises _com_error.
    void Attribute(std::string_view name, std::string_view value) {
        Attribute(ClassifyRecordAttribute(name), name, value);
    }
    // The same, with what ClassifyRecordAttribute gives for name.
    void Attribute(RecordAttribute kind, std::string_view name, std::string_view value);
    // Puts face left readings first where the record gave face right first.
    void Finish();

private:
    void Read(std::string_view name, std::string_view text);

    CBaseObserve& m_observe;
    std::size_t m_index;
    long m_line;
    std::vector<ValueNotNumber>& m_notNumbers;
    // A start tag names each attribute once, so a record has at most one reading of each face;
    // a face right reading given first trades places with the face left one that follows it.
    static constexpr std::size_t kNoFace = static_cast<std::size_t>(-1);
    std::size_t m_firstFace = kNoFace;       // place of the first face reading
    bool m_rightFirst = false;               // the first face reading is face right
    std::size_t m_leftAfterRight = kNoFace;  // place of a face left reading given after it
};

}  // namespace traverse

#endif
