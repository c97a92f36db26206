#include "support/simulated_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "import/record_schema.h"
#include "support/adjust_record.h"

namespace traverse {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRefraction = 0.13;
constexpr double kEarthRadius = 6371000.0;

double Degrees(double radians) {
    const double degrees = std::fmod(radians * 180 / kPi, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
}

// Packed ddd.mmss with five decimals of a second.
std::string PackedDms(double degrees) {
    long long units = std::llround(degrees * 3600 * 1e5) % (360LL * 3600 * 100000);
    const long long whole = units / (3600LL * 100000);
    units %= 3600LL * 100000;
    char text[64];
    std::snprintf(text, sizeof text, "%lld.%02lld%07lld", whole, units / 6000000, units % 6000000);
    return text;
}

std::string Fixed(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string Reading(const std::string& target, double leftDegrees, double rightDegrees) {
    return "<" + target + " " + schema::kFaceLeft + "=\"" + PackedDms(leftDegrees) + "\" " +
           schema::kFaceRight + "=\"" + PackedDms(rightDegrees) + "\"/>";
}

std::string Value(const std::string& target, double value) {
    return "<" + target + " " + schema::kValues + "=\"" + Fixed(value) + "\"/>";
}

double Gauss(std::mt19937_64& rng, double sigma) {
    return sigma > 0 ? std::normal_distribution<double>(0.0, sigma)(rng) : 0.0;
}

}  // namespace

AdjustmentOptions OptionsFor(const SimNoise& noise) {
    AdjustmentOptions options;
    options.directionSigma = noise.direction;
    options.distanceSigmaA = noise.distanceA;
    options.distanceSigmaB = noise.distanceB;
    options.heightSigma = noise.height;
    return options;
}

int SimulatedNetwork::AddPoint(const std::string& name, double x, double y, double h, bool known) {
    // Known coordinates are written with six decimals; the truth is what the file says.
    auto round6 = [](double v) { return std::round(v * 1e6) / 1e6; };
    points.push_back({name, round6(x), round6(y), round6(h), known, known});
    return static_cast<int>(points.size()) - 1;
}

void SimulatedNetwork::AddStation(int point, std::vector<int> directions,
                                  std::vector<int> distances) {
    stations.push_back({point, std::move(directions), std::move(distances), 1.5});
}

namespace {

double AzimuthDegrees(const SimPoint& from, const SimPoint& to) {
    return Degrees(std::atan2(to.y - from.y, to.x - from.x));
}

bool Hits(const SimBlunder& blunder, std::size_t station, int target) {
    return static_cast<int>(station) == blunder.station && target == blunder.target;
}

// One round of the station's directions, the circle set so that the first target reads between 0
// and 90 degrees, as in the field.
std::string HorizontalRound(const SimulatedNetwork& net, std::size_t s, const SimNoise& noise,
                            std::mt19937_64& rng, const SimBlunder& blunder) {
    const SimStation& station = net.stations[s];
    const SimPoint& here = net.points[station.point];
    if (station.directions.empty()) return std::string();
    const double zero = AzimuthDegrees(here, net.points[station.directions.front()]) -
                        std::uniform_real_distribution<double>(0, 90)(rng);
    std::string round;
    for (int t : station.directions) {
        double reading =
            AzimuthDegrees(here, net.points[t]) - zero + Gauss(rng, noise.direction) / 3600;
        if (Hits(blunder, s, t)) reading += blunder.direction / 3600;
        reading = std::fmod(reading + 720, 360.0);
        round += Reading(net.points[t].name, reading, std::fmod(reading + 180, 360.0));
    }
    return round;
}

struct MeasuredRecords {
    std::string zenith, slope, heights;
};

// Slope and zenith distances chosen so that S sin Z and S cos Z + i - v + (1 - k) D^2 / 2R are the
// true horizontal distance and height difference with their noise.
MeasuredRecords Measured(const SimulatedNetwork& net, std::size_t s, const SimNoise& noise,
                         std::mt19937_64& rng, const SimBlunder& blunder) {
    const SimStation& station = net.stations[s];
    const SimPoint& here = net.points[station.point];
    MeasuredRecords records;
    for (int t : station.distances) {
        const SimPoint& there = net.points[t];
        const double trueD = std::hypot(there.x - here.x, there.y - here.y);
        double d = trueD + Gauss(rng, (noise.distanceA + noise.distanceB * trueD * 1e-3) * 1e-3);
        if (Hits(blunder, s, t)) d += blunder.distance * 1e-3;
        const double dh = there.h - here.h + Gauss(rng, noise.height * trueD * 1e-6);
        const double targetHeight = 1.3 + 0.1 * (t % 5);
        const double vertical = dh - station.instrumentHeight + targetHeight -
                                (1 - kRefraction) * d * d / (2 * kEarthRadius);
        double z = Degrees(std::atan2(d, vertical));
        double slope = std::hypot(d, vertical);
        if (noise.zenith > 0) {  // the truth read by the instrument
            const double trueVertical = there.h - here.h - station.instrumentHeight + targetHeight -
                                        (1 - kRefraction) * trueD * trueD / (2 * kEarthRadius);
            slope = std::hypot(trueD, trueVertical);
            slope += Gauss(rng, (noise.distanceA + noise.distanceB * slope * 1e-3) * 1e-3);
            z = Degrees(std::atan2(trueD, trueVertical)) + Gauss(rng, noise.zenith) / 3600;
        }
        records.zenith += Reading(there.name, z, 360 - z);
        records.slope += Value(there.name, slope);
        records.heights += Value(there.name, targetHeight);
    }
    return records;
}

std::string Element(const char* name, const std::string& content) {
    return std::string("<") + name + ">" + content + "</" + name + ">";
}

// A set of one round, or nothing.
std::string OneRound(const char* set, const std::string& records) {
    return records.empty() ? std::string() : Element(set, "<测回>" + records + "</测回>");
}

}  // namespace

std::string SimulatedNetwork::RecordBody(const SimNoise& noise, std::mt19937_64& rng,
                                         const SimBlunder& blunder) const {
    std::string known, observations;
    for (const SimPoint& p : points) {
        if (!p.planeKnown) continue;
        known += "<" + p.name + " x=\"" + Fixed(p.x) + "\" y=\"" + Fixed(p.y) + "\" h=\"" +
                 Fixed(p.h) + "\"/>";
    }
    for (std::size_t s = 0; s < stations.size(); ++s) {
        const std::string round = HorizontalRound(*this, s, noise, rng, blunder);
        const MeasuredRecords measured = Measured(*this, s, noise, rng, blunder);
        observations +=
            std::string("<测站 ") + schema::kStationName + "=\"" + points[stations[s].point].name +
            "\" " + schema::kInstrumentHeight + "=\"" + Fixed(stations[s].instrumentHeight) +
            "\">" + OneRound(schema::kHorizontalSet, round) +
            OneRound(schema::kZenithSet, measured.zenith) +
            OneRound(schema::kDistanceSet, measured.slope) +
            (measured.heights.empty() ? "" : Element(schema::kTargetHeights, measured.heights)) +
            "</测站>";
    }
    return Element("导线观测记录", Element("起算点", known) + Element("观测值", observations));
}

namespace {

// A winding line of points from (x, y) on heading (radians), legs of 150 to 400 m.
void Walk(SimulatedNetwork& net, std::mt19937_64& rng, int count, const char* prefix, double& x,
          double& y, double& h, double& heading, std::vector<int>& line, bool known) {
    std::uniform_real_distribution<double> turn(-0.6, 0.6), leg(150, 400), climb(-5, 5);
    for (int i = 0; i < count; ++i) {
        heading += turn(rng);
        const double step = leg(rng);
        x += step * std::cos(heading);
        y += step * std::sin(heading);
        h += climb(rng);
        line.push_back(net.AddPoint(prefix + std::to_string(i + 1), x, y, h, known));
    }
}

// Every station of line[1 .. size-2] sights its neighbours; the end stations sight their known
// orientation points by direction only.
void ObserveLine(SimulatedNetwork& net, const std::vector<int>& line) {
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        const int back = line[i - 1], forward = line[i + 1];
        std::vector<int> measured;
        if (i > 1) measured.push_back(back);
        if (i + 2 < line.size()) measured.push_back(forward);
        net.AddStation(line[i], {back, forward}, measured);
    }
}

}  // namespace

SimulatedNetwork ConnectingTraverse(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    double x = 3500000, y = 480000, h = 50,
           heading = std::uniform_real_distribution<double>(0, 2 * kPi)(rng);
    std::vector<int> line;
    Walk(net, rng, 2, "甲", x, y, h, heading, line, true);
    Walk(net, rng, newPoints, "导", x, y, h, heading, line, false);
    Walk(net, rng, 2, "乙", x, y, h, heading, line, true);
    ObserveLine(net, line);
    return net;
}

SimulatedNetwork ClosedLoop(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    const double radius = 80.0 * newPoints;
    const int orientation = net.AddPoint("北山", 3500000 + radius + 500, 480000, 60, true);
    std::vector<int> ring{net.AddPoint("凤岭", 3500000 + radius, 480000, 50, true)};
    std::uniform_real_distribution<double> jitter(-0.15, 0.15), climb(-5, 5);
    for (int i = 1; i <= newPoints; ++i) {
        const double angle = 2 * kPi * (i + jitter(rng)) / (newPoints + 1);
        ring.push_back(net.AddPoint("环" + std::to_string(i), 3500000 + radius * std::cos(angle),
                                    480000 + radius * std::sin(angle), 50 + climb(rng), false));
    }
    const int n = static_cast<int>(ring.size());
    for (int i = 0; i < n; ++i) {
        const int back = ring[(i + n - 1) % n], forward = ring[(i + 1) % n];
        std::vector<int> directions{back, forward};
        if (i == 0) directions.insert(directions.begin(), orientation);
        net.AddStation(ring[i], directions, {back, forward});
    }
    return net;
}

SimulatedNetwork BracedTraverse(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net = ConnectingTraverse(newPoints, rng);
    // Stations 1 .. size-2 of the line; each also sights the station after next, both ways.
    for (std::size_t i = 0; i + 2 < net.stations.size(); ++i) {
        SimStation& a = net.stations[i];
        SimStation& b = net.stations[i + 2];
        a.directions.push_back(b.point);
        a.distances.push_back(b.point);
        b.directions.push_back(a.point);
        b.distances.push_back(a.point);
    }
    return net;
}

namespace {

// Points scattered in the box [x0, x0 + dx] x [y0, y0 + dy] around the origin of the shapes.
std::vector<int> Scattered(SimulatedNetwork& net, std::mt19937_64& rng, int count,
                           const char* prefix, double x0, double dx, double y0, double dy,
                           bool known) {
    std::uniform_real_distribution<double> along(0, 1), climb(-5, 5);
    std::vector<int> points;
    for (int i = 0; i < count; ++i) {
        points.push_back(net.AddPoint(prefix + std::to_string(i + 1),
                                      3500000 + x0 + dx * along(rng), 480000 + y0 + dy * along(rng),
                                      50 + climb(rng), known));
    }
    return points;
}

// Three known points: a base of 600 m along y and a third 500 m north of its middle.
std::vector<int> KnownTriangle(SimulatedNetwork& net) {
    return {net.AddPoint("甲1", 3500000, 480000, 50, true),
            net.AddPoint("甲2", 3500000, 480600, 52, true),
            net.AddPoint("甲3", 3500500, 480300, 55, true)};
}

}  // namespace

SimulatedNetwork ForwardIntersection(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    const std::vector<int> known = KnownTriangle(net);
    const std::vector<int> targets =
        Scattered(net, rng, newPoints, "交", 700, 600, -200, 1000, false);
    for (std::size_t k = 0; k < known.size(); ++k) {
        std::vector<int> directions{known[(k + 1) % 3], known[(k + 2) % 3]};
        directions.insert(directions.end(), targets.begin(), targets.end());
        net.AddStation(known[k], directions, {});
    }
    return net;
}

SimulatedNetwork UnorientedTraverse(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    double x = 3500000, y = 480000, h = 50,
           heading = std::uniform_real_distribution<double>(0, 2 * kPi)(rng);
    std::vector<int> line;
    Walk(net, rng, 1, "甲", x, y, h, heading, line, true);
    Walk(net, rng, newPoints, "导", x, y, h, heading, line, false);
    Walk(net, rng, 1, "乙", x, y, h, heading, line, true);
    net.AddStation(line[0], {line[1]}, {line[1]});
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        net.AddStation(line[i], {line[i - 1], line[i + 1]}, {line[i - 1], line[i + 1]});
    }
    net.AddStation(line.back(), {line[line.size() - 2]}, {line[line.size() - 2]});
    return net;
}

SimulatedNetwork Trilateration(int newPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    const std::vector<int> known = KnownTriangle(net);
    const std::vector<int> targets =
        Scattered(net, rng, newPoints, "边", -300, 1100, -300, 1200, false);
    for (int k : known) net.AddStation(k, {}, targets);
    return net;
}

SimulatedNetwork FreeStation(int knownPoints, std::mt19937_64& rng) {
    SimulatedNetwork net;
    const int station = net.AddPoint("自由站", 3500000, 480000, 50, false);
    std::uniform_real_distribution<double> radius(200, 700), jitter(-0.3, 0.3), climb(-5, 5);
    std::vector<int> known;
    for (int k = 0; k < knownPoints; ++k) {
        const double angle = 2 * kPi * (k + jitter(rng)) / knownPoints, r = radius(rng);
        known.push_back(net.AddPoint("已知" + std::to_string(k + 1), 3500000 + r * std::cos(angle),
                                     480000 + r * std::sin(angle), 50 + climb(rng), true));
    }
    net.AddStation(station, known, {});
    return net;
}

std::vector<double> StandardizedErrors(const SimulatedNetwork& net,
                                       const AdjustmentResult& result) {
    std::vector<double> errors;
    for (const SimPoint& truth : net.points) {
        if (truth.planeKnown) continue;
        const AdjustedPoint* p = FindPoint(result, truth.name);
        if (p == nullptr || !p->hasPlane) {
            ADD_FAILURE() << truth.name << " not adjusted";
            continue;
        }
        errors.push_back((p->x - truth.x) * 1000 / p->sigmaX);
        errors.push_back((p->y - truth.y) * 1000 / p->sigmaY);
        if (p->hasHeight) errors.push_back((p->h - truth.h) * 1000 / p->sigmaH);
    }
    return errors;
}

}  // namespace traverse
