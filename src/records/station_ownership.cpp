#include "records/station_ownership.h"

#include <memory>

#include "traverse/survey_records.h"

namespace traverse {

CPoint3D* AppendNewStation(std::vector<CPoint3D*>& stations) {
    stations.reserve(stations.size() + 1);  // so that the push_back below cannot throw
    auto block = std::make_unique<TAGStationObserve>();
    SetSurveyStationInfo(block->m_info, 0.0f);
    auto station = std::make_unique<CPoint3D>();
    station->m_pUserData = block.release();
    stations.push_back(station.release());
    return stations.back();
}

void DeleteStations(std::vector<CPoint3D*>& stations) {
    for (CPoint3D* station : stations) {
        delete StationBlock(*station);
        delete station;
    }
    stations.clear();
    stations.shrink_to_fit();
}

}  // namespace traverse
