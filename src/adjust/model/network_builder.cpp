#include "adjust/model/network_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "adjust/model/adjustment_settings.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/name_numbers.h"
#include "records/station_walk.h"
#include "reduce/station_reduction.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/point3d.h"

namespace traverse {
namespace {

// Coordinates, lengths and angles of a survey lie well within a billion (metres or radians);
// squares and sums of such numbers stay far inside the double range. Anything larger, inf or nan,
// is refused here, before it reaches a computation.
constexpr double kLargestUsable = 1e9;
// Shorter lines are no survey lines, and their sigmas would overflow the weights.
constexpr double kShortestMetres = 1e-3;

bool Usable(double value) { return std::fabs(value) <= kLargestUsable; }

[[noreturn]] void FailAt(AdjustmentStatus status, const char* utf8Format,
                         const std::string& station, const std::string& target) {
    throw AdjustmentFailure(status,
                            FormatText(Utf8ToGbk(utf8Format), station.c_str(), target.c_str()));
}

// A known position or height that no survey holds is left out, with a note naming the point.
void LeaveOutUnusable(NetworkPoint& point, std::vector<std::string>& notes) {
    if (point.planeKnown && !(Usable(point.x) && Usable(point.y))) {
        point.planeKnown = false;
        point.x = point.y = 0.0;
        notes.push_back(FormatText(GBK(text::kAdjustNoteKnownPlaneUnusable), point.name.c_str()));
    }
    if (point.heightKnown && !Usable(point.h)) {
        point.heightKnown = false;
        point.h = 0.0;
        notes.push_back(FormatText(GBK(text::kAdjustNoteKnownHeightUnusable), point.name.c_str()));
    }
}

void AddKnownPoints(const std::vector<CPoint3D>& known, Network& network) {
    for (const CPoint3D& point : known) {
        if (network.byName.count(point.m_strName) != 0) {
            throw AdjustmentFailure(
                AdjustmentStatus::DuplicateName,
                FormatText(GBK(text::kAdjustDuplicateKnownPoint), point.m_strName.c_str()));
        }
        NetworkPoint& added = network.points[network.PointIndex(point.m_strName)];
        added.planeKnown = !IsUnsetCoord(point.m_dX) && !IsUnsetCoord(point.m_dY);
        added.heightKnown = !IsUnsetCoord(point.m_dZ);
        added.x = point.m_dX;
        added.y = point.m_dY;
        added.h = point.m_dZ;
        LeaveOutUnusable(added, network.notes);
        added.hasPlane = added.planeKnown;
        added.hasHeight = added.heightKnown;
    }
}

// The reduced values of one station, checked to be usable numbers aimed elsewhere.
void CheckValues(const std::vector<ReducedValue>& values, const std::string& station) {
    for (const ReducedValue& value : values) {
        if (value.target == station) {
            FailAt(AdjustmentStatus::SelfObservation, text::kAdjustSelfObservation, station,
                   station);
        }
        if (!Usable(value.value)) {
            FailAt(AdjustmentStatus::InvalidObservation, text::kAdjustNotANumber, station,
                   value.target);
        }
    }
}

// The reduced values of one station by target name, checked as CheckValues does.
std::map<std::string, double> CheckedByName(const std::vector<ReducedValue>& values,
                                            const std::string& station) {
    CheckValues(values, station);
    std::map<std::string, double> byName;
    for (const ReducedValue& value : values) byName.emplace(value.target, value.value);
    return byName;
}

// Target heights: the mean of the records of each name.
std::map<std::string, double> MeanTargetHeights(const std::vector<ReducedValue>& records) {
    std::map<std::string, std::pair<double, int>> sums;
    for (const ReducedValue& record : records) {
        std::pair<double, int>& sum = sums[record.target];
        sum.first += record.value;
        ++sum.second;
    }
    std::map<std::string, double> means;
    for (const auto& entry : sums)
        means.emplace(entry.first, entry.second.first / entry.second.second);
    return means;
}

// The target names of one station's horizontal rounds, numbered, and for each number the last
// round that sighted it before and after the first target's second sighting.
struct RoundSightings {
    NameNumbers numbers;
    std::vector<std::array<int, 2>> lastRound;  // 0: none yet
};

// A target named twice in one horizontal round cannot be told apart from itself: its direction
// would be a mean of two sightings the reduction takes for a right-angle round. Legitimate repeats
// are the closing sighting of the first target and, in a right-angle round, one sighting of each
// target on either side of the first target's second sighting. The rounds of a station are checked
// in order, roundNumber from 1, with the same sightings.
void CheckRoundNames(const CSurveyTurn& round, int roundNumber, const std::string& station,
                     RoundSightings& sightings) {
    const std::vector<CBaseObserve>& records = round.m_arrObserve;
    if (records.empty()) return;
    const std::string& first = records.front().m_strName;
    std::size_t separator = records.size();
    for (std::size_t i = 1; i + 1 < records.size() && separator == records.size(); ++i) {
        if (records[i].m_strName == first) separator = i;
    }
    for (std::size_t i = 1; i < records.size(); ++i) {
        const std::string& name = records[i].m_strName;
        if (name == first) continue;
        const std::size_t number = sightings.numbers.Number(name);
        if (number == sightings.lastRound.size()) sightings.lastRound.push_back({0, 0});
        int& last = sightings.lastRound[number][i > separator ? 1 : 0];
        if (last == roundNumber) {
            throw AdjustmentFailure(AdjustmentStatus::DuplicateName,
                                    FormatText(GBK(text::kAdjustDuplicateTarget), station.c_str(),
                                               name.c_str(), roundNumber));
        }
        last = roundNumber;
    }
}

class StationReader {
public:
    StationReader(Network& network, const AdjustmentSettings& settings, int stationIndex,
                  const std::string& name, const TAGStationObserve& block)
        : m_network(network),
          m_settings(settings),
          m_stationIndex(stationIndex),
          m_name(name),
          m_reduction(ReduceStation(block)),
          m_directionRounds(static_cast<int>(block.m_arrHAngle.size())),
          m_zenithRounds(static_cast<int>(block.m_arrZenith.size())),
          m_station(network.PointIndex(name)) {}

    void Read() {
        for (const std::string& message : m_reduction.messages)
            Note(text::kAdjustNoteReduction, message);
        ReadDirections();
        m_zenith = CheckedByName(m_reduction.zenithDistances, m_name);
        m_targetHeights = MeanTargetHeights(m_reduction.targetHeights);
        CheckValues(m_reduction.slopeDistances, m_name);
        for (const ReducedValue& slope : m_reduction.slopeDistances)
            ReadDistance(slope.target, slope.value);
    }

private:
    void Note(const char* utf8Format, const std::string& target) {
        m_network.notes.push_back(
            FormatText(Utf8ToGbk(utf8Format), m_name.c_str(), target.c_str()));
    }

    void ReadDirections() {
        CheckValues(m_reduction.directions, m_name);
        if (m_reduction.directions.empty()) return;
        DirectionSet set;
        set.stationIndex = m_stationIndex;
        set.station = m_station;
        const int setIndex = static_cast<int>(m_network.sets.size());
        for (const ReducedValue& value : m_reduction.directions) {
            set.directions.push_back(static_cast<int>(m_network.directions.size()));
            m_network.directions.push_back(
                {setIndex, m_network.PointIndex(value.target), value.value,
                 DirectionSigma(m_settings, m_directionRounds)});
        }
        m_network.sets.push_back(set);
    }

    void ReadDistance(const std::string& target, double slope) {
        const auto zenith = m_zenith.find(target);
        const bool hasZenith = zenith != m_zenith.end();
        const double horizontal = hasZenith ? slope * std::sin(zenith->second) : slope;
        if (!(slope >= kShortestMetres)) {
            FailAt(AdjustmentStatus::InvalidObservation, text::kAdjustDistanceTooShort, m_name,
                   target);
        }
        // Less than a millimetre left: the zenith distance, not the points, is at fault.
        if (hasZenith && !(horizontal >= kShortestMetres)) {
            throw AdjustmentFailure(AdjustmentStatus::InvalidObservation,
                                    FormatText(GBK(text::kAdjustVerticalSighting), m_name.c_str(),
                                               target.c_str(), RadianToDms(zenith->second), slope));
        }
        if (!hasZenith) Note(text::kAdjustNoteNoZenith, target);
        const int to = m_network.PointIndex(target);
        m_network.distances.push_back({m_stationIndex, m_station, to, horizontal, horizontal,
                                       DistanceSigma(m_settings, horizontal)});
        if (hasZenith) ReadHeightDifference(to, target, slope, zenith->second, horizontal);
    }

    void ReadHeightDifference(int to, const std::string& target, double slope, double zenith,
                              double horizontal) {
        const auto targetHeight = m_targetHeights.find(target);
        if (targetHeight == m_targetHeights.end()) {
            Note(text::kAdjustNoteNoTargetHeight, target);
            return;
        }
        if (!Usable(m_reduction.instrumentHeight) || !Usable(targetHeight->second)) {
            Note(text::kAdjustNoteHeightsUnusable, target);
            return;
        }
        const double curvature =
            (1 - m_settings.refraction) * horizontal * horizontal / (2 * m_settings.earthRadius);
        const double value = slope * std::cos(zenith) + m_reduction.instrumentHeight -
                             targetHeight->second + curvature;
        if (!std::isfinite(value)) {
            FailAt(AdjustmentStatus::InvalidObservation, text::kAdjustNotANumber, m_name, target);
        }
        const SightedLine line{horizontal, slope, zenith, m_zenithRounds};
        m_network.heights.push_back({m_stationIndex, m_station, to, value, horizontal,
                                     HeightDifferenceSigma(m_settings, line)});
    }

    Network& m_network;
    const AdjustmentSettings& m_settings;
    int m_stationIndex;
    const std::string& m_name;
    const StationReduction m_reduction;
    int m_directionRounds;
    int m_zenithRounds;
    int m_station;
    std::map<std::string, double> m_zenith;
    std::map<std::string, double> m_targetHeights;
};

// A point sighted by one direction and nothing else cannot be placed and tells nothing; it is left
// out, with its direction.
void DropLoneTargets(Network& network) {
    constexpr int kNone = -1;
    std::vector<int> firstSightedFrom(network.points.size(), kNone);
    std::vector<bool> sightedFromTwo(network.points.size(), false);
    std::vector<bool> occupied(network.points.size(), false);
    for (const Direction& direction : network.directions) {
        const int station = network.sets[direction.set].station;
        int& first = firstSightedFrom[direction.target];
        if (first == kNone) first = station;
        if (first != station) sightedFromTwo[direction.target] = true;
    }
    for (const DirectionSet& set : network.sets) occupied[set.station] = true;
    for (const Distance& distance : network.distances)
        occupied[distance.from] = occupied[distance.to] = true;
    std::vector<Direction> kept;
    for (DirectionSet& set : network.sets) {
        std::vector<int> indices;
        for (int index : set.directions) {
            const Direction& direction = network.directions[index];
            const NetworkPoint& target = network.points[direction.target];
            if (!target.planeKnown && !occupied[direction.target] &&
                !sightedFromTwo[direction.target]) {
                network.notes.push_back(FormatText(GBK(text::kAdjustNoteLoneTarget),
                                                   network.points[set.station].name.c_str(),
                                                   target.name.c_str()));
                continue;
            }
            indices.push_back(static_cast<int>(kept.size()));
            kept.push_back(direction);
        }
        set.directions = indices;
    }
    network.directions = kept;
}

constexpr char kBlanks[] = " \t\r\n";

bool BlankAtAnEnd(const NetworkPoint& point) {
    const std::string_view blanks = kBlanks;
    const std::string& name = point.name;
    return !name.empty() && (blanks.find(name.front()) != std::string_view::npos ||
                             blanks.find(name.back()) != std::string_view::npos);
}

// Two names that differ only in blanks at their ends are one point written two ways: adjusted
// apart, each would look whole, a few millimetres from the other. The names are distinct, so two
// can be one only when one of them has a blank at an end: without any, nothing is looked up.
void CheckBlanksAroundNames(const Network& network) {
    if (std::none_of(network.points.begin(), network.points.end(), BlankAtAnEnd)) return;
    std::unordered_map<std::string, const std::string*> byTrimmed;
    for (const NetworkPoint& point : network.points) {
        const std::size_t first = point.name.find_first_not_of(kBlanks);
        const std::size_t last = point.name.find_last_not_of(kBlanks);
        const std::string trimmed =
            first == std::string::npos ? std::string() : point.name.substr(first, last - first + 1);
        const auto seen = byTrimmed.emplace(trimmed, &point.name);
        if (seen.second) continue;
        throw AdjustmentFailure(
            AdjustmentStatus::DuplicateName,
            FormatText(Utf8ToGbk(static_cast<const char*>(text::kAdjustNamesDifferInBlanks)),
                       seen.first->second->c_str(), point.name.c_str()));
    }
}

void MarkPlanePoints(Network& network) {
    for (const DirectionSet& set : network.sets) network.points[set.station].inPlane = true;
    for (const Direction& direction : network.directions)
        network.points[direction.target].inPlane = true;
    for (const Distance& distance : network.distances) {
        network.points[distance.from].inPlane = network.points[distance.to].inPlane = true;
    }
}

// Room for the points at once: the names of a big network are looked up many times over, and a
// table grown as they come rehashes them all again and again. The known points and the first
// horizontal round of each station name most of them.
void ReservePoints(const CImportXml& importer, Network& network) {
    std::size_t expected = importer.m_arrKnownPoint.size();
    for (const CPoint3D* station : importer.m_arrStation) {
        const TAGStationObserve* block = StationBlock(*station);
        if (block != nullptr && !block->m_arrHAngle.empty())
            expected += block->m_arrHAngle.front().m_arrObserve.size();
    }
    network.byName.reserve(expected);
    network.points.reserve(expected);
}

}  // namespace

void BuildNetwork(const CImportXml& importer, const AdjustmentSettings& settings,
                  Network& network) {
    ReservePoints(importer, network);
    AddKnownPoints(importer.m_arrKnownPoint, network);
    bool anyStation = false;
    for (std::size_t i = 0; i < importer.m_arrStation.size(); ++i) {
        const CPoint3D& station = *importer.m_arrStation[i];
        const TAGStationObserve* block = StationBlock(station);
        if (block == nullptr) continue;
        anyStation = true;
        RoundSightings sightings;
        for (std::size_t r = 0; r < block->m_arrHAngle.size(); ++r) {
            CheckRoundNames(block->m_arrHAngle[r], static_cast<int>(r) + 1, station.m_strName,
                            sightings);
        }
        StationReader(network, settings, static_cast<int>(i), station.m_strName, *block).Read();
    }
    if (!anyStation)
        throw AdjustmentFailure(AdjustmentStatus::NoObservations, GBK(text::kAdjustNoStations));
    CheckBlanksAroundNames(network);
    DropLoneTargets(network);
    MarkPlanePoints(network);
}

}  // namespace traverse
