#include "import/record_readings.h"

#include "import/record_schema.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/split_string.h"
#include "xml/xml_attribute_walk.h"

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

void TargetRecordReader::Attribute(std::string_view name, std::string_view value) {
    // Names of the file, the same in every language: converted and looked up once.
    static const std::string& faceLeft = GBK(schema::kFaceLeft);
    static const std::string& faceRight = GBK(schema::kFaceRight);
    static const std::string& values = GBK(schema::kValues);
    const bool left = name == faceLeft;
    if (left || name == faceRight) {
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
    } else if (name == values) {
        std::vector<std::string> pieces;
        SplitString(XmlTextToGbk(value), " ", pieces, 0);
        for (const std::string& piece : pieces) Read(name, piece);
    }
}

void TargetRecordReader::Finish() {
    if (m_leftAfterRight == kNoFace) return;
    std::vector<double>& values = m_observe.m_arrValue;
    std::swap(values[m_firstFace], values[m_leftAfterRight]);
}

}  // namespace traverse
