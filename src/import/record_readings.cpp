#include "import/record_readings.h"

#include "import/record_schema.h"
#include "platform/c_number.h"
#include "platform/characters.h"
#include "platform/gbk_literal.h"
#include "xml/xml_attribute_walk.h"

#include <algorithm>
#include <utility>

namespace traverse {

bool ReadStationParameter(const std::string& name, const std::string& value, CPoint3D& station,
                          TAGSurveyStationInfo& info) {
    float* parameter = nullptr;
    if (name == GBK(schema::kStationName)) station.m_strName = value;
    else if (name == GBK(schema::kInstrumentHeight)) parameter = &info.m_fInstrumentHeight;
    else if (name == GBK(schema::kPressure)) parameter = &info.m_fPressure;
    else if (name == GBK(schema::kTemperature)) parameter = &info.m_fTemperature;
    else if (name == GBK(schema::kAddConst)) parameter = &info.m_fAddConst;
    else if (name == GBK(schema::kMulConst)) parameter = &info.m_fMulConst;
    if (parameter == nullptr) return true;
    bool isNumber = false;
    *parameter = static_cast<float>(AToF(value, isNumber));
    return isNumber;
}

TargetRecordReader::TargetRecordReader(CBaseObserve& observe, std::size_t index, long line,
                                       std::vector<ValueNotNumber>& notNumbers)
    : m_observe(observe), m_index(index), m_line(line), m_notNumbers(notNumbers) {
    m_observe.m_arrValue.reserve(2);
}

void TargetRecordReader::Read(std::string_view name, std::string_view text) {
    bool isNumber = false;
    m_observe.m_arrValue.push_back(AToF(text, isNumber));
    if (isNumber) return;
    m_notNumbers.push_back({ValueKind::Horizontal, std::string(), 0, 0, m_index,
                            m_observe.m_strName, std::string(name), std::string(text), m_line});
}

RecordAttribute ClassifyRecordAttribute(std::string_view name) {
    // Names of the file, the same in every language: converted once.
    static const std::string& faceLeft = GBK(schema::kFaceLeft);
    static const std::string& faceRight = GBK(schema::kFaceRight);
    static const std::string& values = GBK(schema::kValues);
    if (name == faceLeft) return RecordAttribute::kFaceLeft;
    if (name == faceRight) return RecordAttribute::kFaceRight;
    return name == values ? RecordAttribute::kValues : RecordAttribute::kOther;
}

void TargetRecordReader::Attribute(RecordAttribute kind, std::string_view name,
                                   std::string_view value) {
    const bool left = kind == RecordAttribute::kFaceLeft;
    if (left || kind == RecordAttribute::kFaceRight) {
        const std::size_t place = m_observe.m_arrValue.size();
        if (m_firstFace == kNoFace) {
            m_firstFace = place;
            m_rightFirst = !left;
        } else if (left && m_rightFirst) {
            m_leftAfterRight = place;
        }
        // A number is ASCII, the same text in UTF-8 and GBK: only other values are converted.
        bool isNumber = false;
        const double reading = AToF(value, isNumber);
        if (isNumber) {
            m_observe.m_arrValue.push_back(reading);
        } else {
            Read(name, XmlTextToGbk(value));
        }
    } else if (kind == RecordAttribute::kValues) {
        // Each piece between spaces, read in place; a space is the same byte in GBK.
        const bool ascii = chars::IsAscii(value);
        const std::string converted = ascii ? std::string() : XmlTextToGbk(value);
        std::string_view rest = ascii ? value : std::string_view(converted);
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find(' '), rest.size());
            if (end > 0) Read(name, rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
}

void TargetRecordReader::Finish() {
    if (m_leftAfterRight == kNoFace) return;
    std::vector<double>& values = m_observe.m_arrValue;
    std::swap(values[m_firstFace], values[m_leftAfterRight]);
}

}  // namespace traverse
