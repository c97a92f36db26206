#include "import/record_readings.h"

#include "import/record_schema.h"
#include "platform/c_number.h"
#include "platform/characters.h"
#include "platform/gbk_literal.h"
#include "traverse/split_string.h"
#include "xml/xml_attribute_walk.h"

namespace traverse {
namespace {

// Faces by name: a record that gives 盘右 before 盘左 is read face left first. The face readings
// are put back into the places faces took, left ones first; readings of 值 keep theirs.
void PutFaceLeftFirst(std::vector<double>& values,
                      const std::vector<std::pair<std::size_t, bool>>& faces) {
    std::vector<double> ordered;
    for (const bool left : {true, false}) {
        for (const auto& face : faces) {
            if (face.second == left) ordered.push_back(values[face.first]);
        }
    }
    for (std::size_t i = 0; i < faces.size(); ++i) values[faces[i].first] = ordered[i];
}

}  // namespace

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
        m_rightFirst = m_rightFirst || (left && !m_faces.empty() && !m_faces.front().second);
        m_faces.emplace_back(m_observe.m_arrValue.size(), left);
        // Readings are ASCII, their own GBK: read in place.
        if (chars::IsAscii(value)) {
            Read(name, value);
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
    if (m_rightFirst) PutFaceLeftFirst(m_observe.m_arrValue, m_faces);
}

}  // namespace traverse
