// In-memory survey records: one target's readings, one round, a station's parameters and block.
#ifndef TRAVERSE_SURVEY_RECORDS_H
#define TRAVERSE_SURVEY_RECORDS_H

#include <cstddef>
#include <string>
#include <vector>

#include "traverse/visibility.h"

namespace traverse {

class CPoint3D;

// The readings of one target in one round, as the record file states them: packed DMS for
// directions and zenith distances (face left, face right), metres for distances and heights.
class TRAVERSE_API CBaseObserve {
public:
    CBaseObserve();
    CBaseObserve(const CBaseObserve& other);
    CBaseObserve(CBaseObserve&& other) noexcept;
    CBaseObserve& operator=(const CBaseObserve& other);
    CBaseObserve& operator=(CBaseObserve&& other) noexcept;
    virtual ~CBaseObserve();

    std::string m_strName;  // target name, GBK
    std::vector<double> m_arrValue;
};

// One round of one kind of observation at one station: its target records in file order.
class TRAVERSE_API CSurveyTurn {
public:
    CSurveyTurn();
    CSurveyTurn(const CSurveyTurn& other);
    CSurveyTurn(CSurveyTurn&& other) noexcept;
    CSurveyTurn& operator=(const CSurveyTurn& other);
    CSurveyTurn& operator=(CSurveyTurn&& other) noexcept;
    virtual ~CSurveyTurn();

    std::vector<CBaseObserve> m_arrObserve;
};

// The five parameters of a station. 0.0 where the file gives none.
struct TAGSurveyStationInfo {
    float m_fInstrumentHeight;  // metres
    float m_fPressure;          // as written in the file
    float m_fTemperature;       // as written in the file
    float m_fAddConst;          // additive constant, millimetres
    float m_fMulConst;          // multiplicative constant, millimetres per kilometre
};

// The observation block of one station, hung from the station point's m_pUserData.
struct TAGStationObserve {
    TAGSurveyStationInfo m_info;
    std::vector<CSurveyTurn> m_arrHAngle;        // horizontal direction rounds
    std::vector<CSurveyTurn> m_arrZenith;        // zenith distance rounds
    std::vector<CSurveyTurn> m_arrDistance;      // slope distance rounds
    std::vector<CSurveyTurn> m_arrTargetHeight;  // empty, or one entry of target heights
};

// Where a value whose text is no number stands: a station parameter or a reading of a record.
enum class ValueKind { Station, Horizontal, Zenith, Distance, TargetHeight };

// A value whose text is no number: it holds what atof reads from it (its leading number, else 0).
struct ValueNotNumber {
    ValueKind kind = ValueKind::Station;
    std::string station;    // GBK
    std::size_t stationIndex = 0;  // in the station array the readers filled
    int round = 0;          // 1-based; 0 for a station parameter or a target height
    std::size_t record = 0; // 0-based, in its round or among the target heights
    std::string element;    // the tag name of the station or the record, GBK
    std::string attribute;  // GBK
    std::string text;       // as written, GBK
    long line = 0;          // of the element's start tag; 0 where not known
};

// Stores value into all five fields of info.
TRAVERSE_API void SetSurveyStationInfo(TAGSurveyStationInfo& info, float value);

// Fills names with the distinct target names of turn in order of first appearance (byte-exact
// comparison). Returns 1 when there is at least one, else 0.
TRAVERSE_API int GetObjectName(CSurveyTurn& turn, std::vector<std::string>& names);

// The observation block of a station, or null for a point without one.
TRAVERSE_API TAGStationObserve* StationBlock(const CPoint3D& station);

}  // namespace traverse

#endif
