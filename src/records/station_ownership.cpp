#include "records/station_ownership.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "traverse/survey_records.h"

namespace traverse {

CPoint3D* AppendNewStation(std::vector<CPoint3D*>& stations) {
    // Room first, so that the push_back below cannot throw; grown geometrically, since a file may
    // hold tens of thousands of stations and growing by one would copy the array every time.
    if (stations.size() == stations.capacity()) {
        stations.reserve(std::max<std::size_t>(16, stations.capacity() * 2));
    }
    auto block = std::make_unique<TAGStationObserve>();
    SetSurveyStationInfo(block->m_info, 0.0f);
    auto station = std::make_unique<CPoint3D>();
    station->m_pUserData = block.release();
    stations.push_back(station.release());
    return stations.back();
}

namespace {

void DeleteStation(CPoint3D* station) {
    delete StationBlock(*station);
    delete station;
}

}  // namespace

void DeleteLastStation(std::vector<CPoint3D*>& stations) {
    DeleteStation(stations.back());
    stations.pop_back();
}

void DeleteStations(std::vector<CPoint3D*>& stations) {
    for (CPoint3D* station : stations) DeleteStation(station);
    stations.clear();
    stations.shrink_to_fit();
}

}  // namespace traverse
