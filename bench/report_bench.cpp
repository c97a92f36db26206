// The HTML report of a generated record file of 1 000 stations, as `traverse report` makes it:
// import, check, field checks, adjustment and the page, against a target of 2 seconds and a page
// under 5 MB. Prints the figures and whether the targets hold.
//
//     report_bench --records=DIR [--stations=1000] [benchmark flags]
//
// DIR holds records-<N>-stations.xml (tools/generate_records.py --stations N --seed 1 writes it;
// make bench-report does). Exits 1 when a target does not hold.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <utility>

#include "fastest_reporter.h"
#include "traverse/html_report.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

using traverse::CImportXml;
using traverse::HtmlReportInput;

constexpr double kSecondsTarget = 2.0;
constexpr double kBytesTarget = 5.0e6;

HtmlReportInput Collect(const std::string& path) {
    CImportXml importer;
    return traverse::CollectReportInput(importer, path, path, {}, {});
}

// Everything the command does for one file, the page kept in memory.
void BenchReport(benchmark::State& state, const std::string* path) {
    for (auto _ : state) {
        const std::string page = traverse::BuildHtmlReport(Collect(*path));
        benchmark::DoNotOptimize(page.data());
    }
}

// The page alone, from results computed once.
void BenchPage(benchmark::State& state, const HtmlReportInput* input) {
    for (auto _ : state) {
        const std::string page = traverse::BuildHtmlReport(*input);
        benchmark::DoNotOptimize(page.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = traverse::bench::TakeFlag(argc, argv, "records");
    std::string stations = traverse::bench::TakeFlag(argc, argv, "stations");
    if (directory.empty()) directory = ".";
    if (stations.empty()) stations = "1000";
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    traverse::SetMessageBoxHandler([](const std::string&) {});

    const std::string path = directory + "/records-" + stations + "-stations.xml";
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        std::fprintf(stderr, "missing %s: tools/generate_records.py --stations %s --seed 1 -o %s\n",
                     path.c_str(), stations.c_str(), path.c_str());
        return 2;
    }
    const HtmlReportInput input = Collect(path);
    const std::string page = traverse::BuildHtmlReport(input);
    benchmark::RegisterBenchmark("report", BenchReport, &path)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
    benchmark::RegisterBenchmark("page", BenchPage, &input)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(3);
    traverse::bench::FastestReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double seconds = reporter.RealSeconds("report");
    const double bytes = static_cast<double>(page.size());
    const bool holds = seconds > 0 && seconds < kSecondsTarget && bytes < kBytesTarget;
    std::printf("\n%s: %lld bytes, %zu stations, %zu points adjusted (%s)\n", path.c_str(),
                static_cast<long long>(status.st_size), input.counts.stations,
                input.adjustment.points.size(),
                traverse::AdjustmentStatusName(input.adjustment.status));
    std::printf("Fastest of 3 repetitions, wall-clock milliseconds (CPU in brackets):\n");
    std::printf("  report   %8.1f (%8.1f)   import, check, field checks, adjustment, page\n",
                seconds * 1e3, reporter.Seconds("report") * 1e3);
    std::printf("  page     %8.1f (%8.1f)   BuildHtmlReport alone\n",
                reporter.RealSeconds("page") * 1e3, reporter.Seconds("page") * 1e3);
    std::printf("  report < %.1f s, page %.2f MB < %.1f MB: %s\n", kSecondsTarget, bytes / 1e6,
                kBytesTarget / 1e6, holds ? "pass" : "FAIL");
    return holds ? 0 : 1;
}
