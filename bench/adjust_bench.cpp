// The adjustment of generated traverse networks of 100, 1 000 and 10 000 stations, with the
// relative precision of every side: CPU time per adjustment (Google Benchmark, with its fitted
// complexity) and the peak memory the adjustment adds, each measured in a fresh process. Exits 1
// when 1 000 stations take a second or more, or when time or memory grow clearly faster than the
// number of stations.
//
// The allocator is told to keep freed memory (mallopt), so that the repetitions of every size
// measure the adjustment alike; otherwise the large sizes alone would pay the kernel's first touch
// of fresh pages again in every repetition, which the small ones recycle.
//
//     adjust_bench [--sizes=100,1000,10000] [benchmark flags]
//
// A network is a winding traverse of legs of 150 to 400 m in which every 50th station is a known
// point sighting a known orientation point beside the line: a chain of connecting traverses. Every
// station observes its neighbours in one round of directions, zenith distances and slope
// distances, read from the true coordinates with the noise of a 2" total station.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "records/station_ownership.h"
#include "traverse/adjust.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

using namespace traverse;

constexpr int kKnownEvery = 50;

struct Truth {
    std::string name;  // GBK
    double x, y, h;
};

class NetworkWriter {
public:
    NetworkWriter(CImportXml& importer, std::mt19937_64& rng) : m_importer(importer), m_rng(rng) {}

    int Point(const std::string& utf8Name, double x, double y, double h, bool known) {
        m_points.push_back({Utf8ToGbk(utf8Name), x, y, h});
        if (known) {
            CPoint3D point;
            point.m_strName = m_points.back().name;
            point.m_dX = x;
            point.m_dY = y;
            point.m_dZ = h;
            m_importer.m_arrKnownPoint.push_back(point);
        }
        return static_cast<int>(m_points.size()) - 1;
    }

    // A station at `at` sighting `targets` (the first for orientation); distances to `measured`.
    void Station(int at, const std::vector<int>& targets, const std::vector<int>& measured) {
        CPoint3D* station = AppendNewStation(m_importer.m_arrStation);
        station->m_strName = m_points[at].name;
        TAGStationObserve& block = *StationBlock(*station);
        block.m_info.m_fInstrumentHeight = 1.5f;
        block.m_arrHAngle.emplace_back();
        const double zero = Azimuth(at, targets[0]) - 0.3;
        for (int t : targets) {
            const double left = WrapTurn(Azimuth(at, t) - zero + Noise(1.5 * RAD_PER_SECOND));
            Add(block.m_arrHAngle.back(), t, {RadianToDms(left), RadianToDms(WrapTurn(left + PI))});
        }
        block.m_arrZenith.emplace_back();
        block.m_arrDistance.emplace_back();
        block.m_arrTargetHeight.emplace_back();
        for (int t : measured) {
            const Truth& a = m_points[at];
            const Truth& b = m_points[t];
            const double d = std::hypot(b.x - a.x, b.y - a.y) + Noise(0.002);
            const double vertical =
                b.h - a.h - 1.5 + 1.6 - 0.87 * d * d / (2 * 6371000.0) + Noise(0.003);
            const double zenith = std::atan2(d, vertical);
            Add(block.m_arrZenith.back(), t, {RadianToDms(zenith), RadianToDms(TWO_PI - zenith)});
            Add(block.m_arrDistance.back(), t, {std::hypot(d, vertical)});
            Add(block.m_arrTargetHeight.back(), t, {1.6});
        }
    }

private:
    static double WrapTurn(double radians) {
        return std::fmod(std::fmod(radians, TWO_PI) + TWO_PI, TWO_PI);
    }

    double Azimuth(int from, int to) const {
        return std::atan2(m_points[to].y - m_points[from].y, m_points[to].x - m_points[from].x);
    }

    double Noise(double sigma) { return std::normal_distribution<double>(0.0, sigma)(m_rng); }

    void Add(CSurveyTurn& round, int target, std::vector<double> values) {
        CBaseObserve record;
        record.m_strName = m_points[target].name;
        record.m_arrValue = std::move(values);
        round.m_arrObserve.push_back(record);
    }

    CImportXml& m_importer;
    std::mt19937_64& m_rng;
    std::vector<Truth> m_points;
};

// The traverse of `stations` stations, readings drawn with a fixed seed.
void BuildTraverse(int stations, CImportXml& importer) {
    std::mt19937_64 rng(static_cast<unsigned>(stations));
    NetworkWriter writer(importer, rng);
    std::uniform_real_distribution<double> turn(-0.5, 0.5), leg(150, 400), climb(-3, 3);
    double x = 3500000, y = 480000, h = 50, heading = 0.3;
    std::vector<int> line, orientation;
    for (int i = 0; i < stations; ++i) {
        const bool known = i % kKnownEvery == 0 || i == stations - 1;
        line.push_back(writer.Point("导" + std::to_string(i), x, y, h, known));
        orientation.push_back(known ? writer.Point("向" + std::to_string(i),
                                                   x + 500 * std::sin(heading),
                                                   y - 500 * std::cos(heading), h, true)
                                    : -1);
        heading += turn(rng);
        const double step = leg(rng);
        x += step * std::cos(heading);
        y += step * std::sin(heading);
        h += climb(rng);
    }
    for (int i = 0; i < stations; ++i) {
        std::vector<int> targets, measured;
        if (orientation[i] >= 0) targets.push_back(orientation[i]);
        if (i > 0) targets.push_back(line[i - 1]), measured.push_back(line[i - 1]);
        if (i + 1 < stations) targets.push_back(line[i + 1]), measured.push_back(line[i + 1]);
        writer.Station(line[i], targets, measured);
    }
}

void Adjust(benchmark::State& state) {
    CImportXml importer;
    BuildTraverse(static_cast<int>(state.range(0)), importer);
    AdjustmentResult result;
    for (auto _ : state) {
        result = AdjustNetwork(importer, AdjustmentOptions());
        benchmark::DoNotOptimize(result);
    }
    if (result.status != AdjustmentStatus::Adjusted) state.SkipWithError("not adjusted");
    // Every leg is a side with its relative precision, so that their cost is measured too.
    if (result.sides.size() + 1 < static_cast<std::size_t>(state.range(0)) ||
        result.weakestSide < 0)
        state.SkipWithError("not every side has its relative precision");
    state.SetComplexityN(state.range(0));
    state.counters["iterations"] = result.iterations;
    state.counters["traverses"] = static_cast<double>(result.traverses.size());
    state.counters["sides"] = static_cast<double>(result.sides.size());
}

// A field of /proc/self/status, in KiB.
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line[length] == ':')
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

// In a child process: how far the resident set grows, at its peak, while the network of `stations`
// is adjusted (the network itself is built before). KiB, or -1.
long PeakKiB(int stations) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        CImportXml importer;
        BuildTraverse(stations, importer);
        malloc_trim(0);  // what building freed goes back, so that the adjustment cannot reuse it
        const long before = StatusKiB("VmRSS");
        std::ofstream("/proc/self/clear_refs") << "5";
        const AdjustmentResult result = AdjustNetwork(importer, AdjustmentOptions());
        const long grown =
            result.status == AdjustmentStatus::Adjusted ? StatusKiB("VmHWM") - before : -1;
        (void)!write(channel[1], &grown, sizeof grown);
        _exit(0);
    }
    long grown = -1;
    close(channel[1]);
    if (read(channel[0], &grown, sizeof grown) != sizeof grown) grown = -1;
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return grown;
}

std::vector<int> Sizes(int& argc, char** argv) {
    std::vector<int> sizes{100, 1000, 10000};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sizes=", 8) != 0) continue;
        sizes.clear();
        for (const char* p = argv[i] + 8; *p != '\0';) {
            char* end = nullptr;
            sizes.push_back(static_cast<int>(std::strtol(p, &end, 10)));
            p = *end == ',' ? end + 1 : end;
        }
        for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
        --argc;
        break;
    }
    return sizes;
}

// Collects the CPU time per adjustment of each size.
class TimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                milliseconds[static_cast<int>(run.complexity_n)] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<int, double> milliseconds;
};

}  // namespace

int main(int argc, char** argv) {
    SetMessageBoxHandler([](const std::string&) {});
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const std::vector<int> sizes = Sizes(argc, argv);
    auto* benchmark = benchmark::RegisterBenchmark("adjust", Adjust)
                          ->Unit(benchmark::kMillisecond)
                          ->Complexity(benchmark::oN);
    for (int size : sizes) benchmark->Arg(size);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n  stations   CPU ms   ms/station   peak KiB   KiB/station\n");
    bool ok = true;
    double firstTime = 0, firstMemory = 0;
    for (int size : sizes) {
        const double ms = reporter.milliseconds[size];
        const long kib = PeakKiB(size);
        std::printf("%10d %8.1f %12.4f %10ld %13.2f\n", size, ms, ms / size, kib,
                    static_cast<double>(kib) / size);
        if (size == 1000 && !(ms < 1000)) ok = false;
        if (firstTime == 0) firstTime = ms / size, firstMemory = static_cast<double>(kib) / size;
        // Near-linear: the cost per station may grow at most threefold over the sizes measured.
        if (ms / size > 3 * firstTime ||
            (kib > 0 && kib / static_cast<double>(size) > 3 * firstMemory))
            ok = false;
    }
    std::printf("%s\n",
                ok ? "targets hold: 1 000 stations under a second, time and memory near-linear"
                   : "TARGET MISSED");
    return ok ? 0 : 1;
}
