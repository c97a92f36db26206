// A synthetic traverse with known true directions, zenith distances and distances goes through a
// record file, the import and the export; every exported value must come back to the truth.
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/c_number.h"
#include "support/message_capture.h"
#include "support/temp_dir.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

constexpr double kFullTurn = 1296000.0;  // arc seconds
constexpr double kHalfTurn = 648000.0;

double Seconds(int degrees, int minutes, double seconds) {
    return degrees * 3600.0 + minutes * 60.0 + seconds;
}

double NormTurn(double seconds) {
    double s = std::fmod(seconds, kFullTurn);
    if (s < 0) s += kFullTurn;
    return s;
}

// Packed DMS with four decimals of a second: ddd.mmssffff.
std::string Dms(double seconds) {
    long long units = std::llround(NormTurn(seconds) * 1e4) % 12960000000LL;
    const long long degrees = units / 36000000;
    units %= 36000000;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%02lld%06lld", degrees, units / 600000, units % 600000);
    return text;
}

std::string Fixed(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

struct TargetTruth {
    std::string name;   // UTF-8
    double direction;   // circle direction at the zero setting, arc seconds
    double zenith;      // arc seconds
    double distance;    // metres, corrected
    double height;      // metres
};

struct StationTruth {
    std::string name;  // UTF-8
    float instrumentHeight;
    float addConst;    // mm
    float mulConst;    // mm/km
    double collimation;  // arc seconds, face left +c, face right -c
    double indexError;   // arc seconds
    std::vector<double> settings;  // circle setting of each horizontal round, arc seconds
    std::vector<TargetTruth> targets;  // the first is the orientation
};

// The orientation drifts +0.4" at the opening and -0.4" at the closing: only the mean is true.
constexpr double kOpeningDrift = 0.4;
// Face-left zenith readings carry +-0.6" in alternate rounds.
constexpr double kZenithNoise = 0.6;

std::string HorizontalRecord(const StationTruth& s, const TargetTruth& t, double setting,
                             double drift) {
    const double left = t.direction + setting + s.collimation + drift;
    const double right = t.direction + setting + kHalfTurn - s.collimation + drift;
    return "<" + t.name + " 盘左=\"" + Dms(left) + "\" 盘右=\"" + Dms(right) + "\"/>";
}

std::string StationElement(const StationTruth& s) {
    std::string xml = "<测站 点名=\"" + s.name + "\" 仪器高=\"" + Fixed(s.instrumentHeight) +
                      "\" 气压=\"1013\" 温度=\"21.5\" 加常数=\"" + Fixed(s.addConst) +
                      "\" 乘常数=\"" + Fixed(s.mulConst) + "\">\n<水平角>\n";
    for (const double setting : s.settings) {
        xml += "<测回>";
        xml += HorizontalRecord(s, s.targets[0], setting, kOpeningDrift);
        for (size_t k = 1; k < s.targets.size(); ++k) {
            xml += HorizontalRecord(s, s.targets[k], setting, 0.0);
        }
        xml += HorizontalRecord(s, s.targets[0], setting, -kOpeningDrift);
        xml += "</测回>\n";
    }
    xml += "</水平角>\n<天顶距>\n";
    for (int round = 0; round < 2; ++round) {
        const double noise = round == 0 ? kZenithNoise : -kZenithNoise;
        xml += "<测回>";
        for (const TargetTruth& t : s.targets) {
            const double left = t.zenith + s.indexError + noise;
            const double right = kFullTurn - t.zenith + s.indexError;
            xml += "<" + t.name + " 盘左=\"" + Dms(left) + "\" 盘右=\"" + Dms(right) + "\"/>";
        }
        xml += "</测回>\n";
    }
    xml += "</天顶距>\n<斜距>\n";
    // What the instrument shows before its constants are applied.
    const double scale = 1.0 + static_cast<double>(s.mulConst) * 1e-6;
    const double offset = static_cast<double>(s.addConst) * 1e-3;
    for (int round = 0; round < 2; ++round) {
        xml += "<测回>";
        for (const TargetTruth& t : s.targets) {
            const double raw = (t.distance - offset) / scale;
            const double spread = round == 0 ? 0.0004 : 0.0002;
            xml += "<" + t.name + " 值=\"" + Fixed(raw + spread) + " " + Fixed(raw) + " " +
                   Fixed(raw - spread) + "\"/>";
        }
        xml += "</测回>\n";
    }
    xml += "</斜距>\n<目标高>";
    for (const TargetTruth& t : s.targets) {
        xml += "<" + t.name + " 值=\"" + Fixed(t.height + 0.002) + " " + Fixed(t.height - 0.002) +
               "\"/>";
    }
    xml += "</目标高>\n</测站>\n";
    return xml;
}

std::vector<StationTruth> Traverse() {
    StationTruth first;
    first.name = "导一";
    first.instrumentHeight = 1.432f;
    first.addConst = 2.5f;
    first.mulConst = 1.5f;
    first.collimation = 3.0;
    first.indexError = 4.0;
    first.targets = {
        {"甲", Seconds(37, 12, 34.567), Seconds(87, 12, 34.5), 345.6789, 1.600},
        {"导二", Seconds(123, 45, 1.234), Seconds(91, 2, 3.25), 1234.5678, 1.550},
        {"乙", Seconds(301, 2, 3.456), Seconds(89, 59, 59.9), 567.891, 1.700},
        // Read across 0 in the second round.
        {"丙", Seconds(299, 59, 51.3), Seconds(93, 30, 0.1), 89.0123, 1.650},
    };
    // The first round puts the orientation at 359 deg 59'59.8": its opening and closing readings
    // fall on either side of 0.
    first.settings = {Seconds(359, 59, 59.8) - first.targets[0].direction, Seconds(60, 0, 10.0),
                      Seconds(135, 0, 20.0)};

    StationTruth second;
    second.name = "导二";
    second.instrumentHeight = 1.5f;
    second.addConst = 0.0f;
    second.mulConst = 0.0f;
    second.collimation = -6.0;
    second.indexError = -8.0;
    second.targets = {
        {"导一", Seconds(10, 0, 0.12), Seconds(88, 57, 56.75), 1234.5678, 1.480},
        {"丁", Seconds(250, 15, 30.75), Seconds(90, 0, 0.5), 402.3456, 1.800},
    };
    second.settings = {Seconds(0, 0, 5.0), Seconds(90, 0, 7.0)};
    return {first, second};
}

std::string RecordFile(const std::vector<StationTruth>& stations) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<导线观测记录>\n<起算点>\n"
        "<甲 x=\"3456.789\" y=\"1234.567\" h=\"45.678\"/>\n"
        "<乙 x=\"4000.001\" y=\"2000.002\"/>\n"
        "<丁 h=\"50.5\"/>\n"
        "</起算点>\n<观测值>\n";
    for (const StationTruth& s : stations) xml += StationElement(s);
    xml += "</观测值>\n</导线观测记录>\n";
    return Utf8ToGbk(xml);
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

// Observation lines of the exported file, keyed by station, code and target (UTF-8 names).
using Exported =
    std::map<std::string, std::map<std::string, std::map<std::string, std::vector<double>>>>;

TEST(ExportRoundTripTest, EveryValueComesBackToTheTruth) {
    const std::vector<StationTruth> stations = Traverse();
    TempDir dir;
    MessageCapture capture;
    const std::string input = dir.Write("traverse.xml", RecordFile(stations));
    const std::string output = dir.File("traverse.txt");

    CImportXml imp;
    ASSERT_EQ(imp.OnButtonExchange(input), 0u)
        << GbkToUtf8(imp.m_strText) << GbkToUtf8(imp.m_strError);
    ASSERT_EQ(imp.OnButtonTonbq(output), 0u);
    EXPECT_TRUE(capture.Messages().empty());

    const std::string text = GbkToUtf8(ReadFileBytes(output));
    ASSERT_GE(text.size(), 2u);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = Split(text.substr(0, text.size() - 2), "\r\n");
    for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << line;

    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "<<");
    EXPECT_EQ(lines[1], "甲\t11\t3456.789\t1234.567\t45.678");
    EXPECT_EQ(lines[2], "乙\t10\t4000.001\t2000.002\t0.000");
    EXPECT_EQ(lines[3], "丁\t01\t0.000\t0.000\t50.500");
    EXPECT_EQ(lines[4], "<<");
    EXPECT_EQ(lines[5], "");

    Exported exported;
    std::string station;
    std::vector<std::string> order;  // station, code and target of every line, for the layout
    for (size_t i = 6; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            order.push_back("end");
            station.clear();
            continue;
        }
        const std::vector<std::string> fields = Split(lines[i], "\t");
        ASSERT_EQ(fields.size(), 4u + (fields[0].empty() ? 1u : 0u)) << lines[i];
        if (!fields[0].empty()) {
            ASSERT_TRUE(station.empty()) << "no empty line before " << lines[i];
            station = fields[0];
            EXPECT_EQ(fields[1], station);
            EXPECT_EQ(fields[2], "i0");
            exported[station]["i0"][station].push_back(AToF(fields[3]));
            order.push_back(station + " i0");
            continue;
        }
        ASSERT_FALSE(station.empty()) << lines[i];
        EXPECT_TRUE(fields[1].empty());
        exported[station][fields[3]][fields[2]].push_back(AToF(fields[4]));
        order.push_back(fields[3] + " " + fields[2]);
    }

    std::vector<std::string> expectedOrder;
    for (const StationTruth& s : stations) {
        expectedOrder.push_back(s.name + " i0");
        for (const char* code : {"c0", "z0", "s0", "v0"}) {
            for (const TargetTruth& t : s.targets)
                expectedOrder.push_back(std::string(code) + " " + t.name);
        }
        expectedOrder.push_back("end");
    }
    EXPECT_EQ(order, expectedOrder);

    for (const StationTruth& s : stations) {
        SCOPED_TRACE(s.name);
        auto& values = exported[s.name];
        EXPECT_NEAR(values["i0"][s.name].at(0), s.instrumentHeight, 1e-6);
        for (const TargetTruth& t : s.targets) {
            SCOPED_TRACE(t.name);
            ASSERT_EQ(values["c0"][t.name].size(), 1u);
            ASSERT_EQ(values["z0"][t.name].size(), 1u);
            ASSERT_EQ(values["s0"][t.name].size(), 1u);
            ASSERT_EQ(values["v0"][t.name].size(), 1u);

            const double reduced = NormTurn(t.direction - s.targets[0].direction);
            const double direction = RadToSecond(DmsToRadian(values["c0"][t.name][0]));
            EXPECT_NEAR(std::remainder(direction - reduced, kFullTurn), 0.0, 0.01)
                << "direction " << Dms(direction) << " truth " << Dms(reduced);

            const double zenith = RadToSecond(DmsToRadian(values["z0"][t.name][0]));
            EXPECT_NEAR(zenith, t.zenith, 0.01) << "zenith " << Dms(zenith);

            EXPECT_NEAR(values["s0"][t.name][0], t.distance, 1e-4);
            EXPECT_NEAR(values["v0"][t.name][0], t.height, 1e-6);
        }
        EXPECT_EQ(values["c0"][s.targets[0].name][0], 0.0);
    }
}

}  // namespace
}  // namespace traverse
