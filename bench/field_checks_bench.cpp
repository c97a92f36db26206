// The field checks of `traverse check --all` (RunFieldChecks and the report of FormatFieldChecks)
// on a generated record file of about 20 MB, against the import of the same file: the checks must
// add at most half the import's time. Prints the figures and whether the target holds.
//
//     traverse_field_checks_bench --records=DIR [--megabytes=20] [benchmark flags]
//
// DIR holds records-<N>MB.xml (tools/generate_records.py --megabytes N --seed 1 writes it; make
// bench-field-checks does). Exits 1 when the target does not hold.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fastest_reporter.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

using traverse::CImportXml;

constexpr double kTarget = 0.5;  // field checks over import, at most

struct Subject {
    std::string path;
    double bytes = 0;
    CImportXml imported;  // the file imported once, for the field checks
};

void BenchImport(benchmark::State& state, const Subject* subject) {
    traverse::bench::ImportEachIteration(state, subject->path, subject->bytes);
}

// What `check --all` adds to a check: every item computed and judged, and the report for people.
void BenchFieldChecks(benchmark::State& state, const Subject* subject) {
    std::size_t values = 0;
    for (auto _ : state) {
        const traverse::FieldCheckResult result = traverse::RunFieldChecks(subject->imported, {});
        const std::string report = traverse::FormatFieldChecks(result);
        benchmark::DoNotOptimize(report.data());
        values = result.values.size();
    }
    state.counters["values"] = static_cast<double>(values);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * subject->bytes));
}

// The computation alone, to show what the report costs beside it.
void BenchRunOnly(benchmark::State& state, const Subject* subject) {
    for (auto _ : state) {
        const traverse::FieldCheckResult result = traverse::RunFieldChecks(subject->imported, {});
        benchmark::DoNotOptimize(result.values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * subject->bytes));
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = traverse::bench::TakeFlag(argc, argv, "records");
    std::string megabytes = traverse::bench::TakeFlag(argc, argv, "megabytes");
    if (directory.empty()) directory = ".";
    if (megabytes.empty()) megabytes = "20";
    // Repetitions in random order, so that a slow spell of a shared machine falls on both alike.
    std::vector<char*> arguments(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave);
    argc = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    traverse::SetMessageBoxHandler([](const std::string&) {});

    Subject subject;
    subject.path = directory + "/records-" + megabytes + "MB.xml";
    struct stat status {};
    if (stat(subject.path.c_str(), &status) != 0) {
        std::fprintf(stderr,
                     "missing %s: tools/generate_records.py --megabytes %s --seed 1 -o %s\n",
                     subject.path.c_str(), megabytes.c_str(), subject.path.c_str());
        return 2;
    }
    subject.bytes = static_cast<double>(status.st_size);
    if (subject.imported.OnButtonExchange(subject.path) != 0) {
        std::fprintf(stderr, "the import of %s failed\n", subject.path.c_str());
        return 2;
    }
    for (const auto& [name, function] :
         {std::make_pair("import", BenchImport), std::make_pair("field-checks", BenchFieldChecks),
          std::make_pair("run-only", BenchRunOnly)}) {
        benchmark::RegisterBenchmark(name, function, &subject)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->MinTime(0.5);
    }
    traverse::bench::FastestReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double import = reporter.Seconds("import");
    const double checks = reporter.Seconds("field-checks");
    const double ratio = import > 0 ? checks / import : 0;
    const bool holds = import > 0 && checks > 0 && ratio <= kTarget;
    std::printf(
        "\nFastest of 5 repetitions, CPU milliseconds (wall-clock in brackets), %.0f bytes\n",
        subject.bytes);
    std::printf("  import        %8.1f (%8.1f)\n", import * 1e3,
                reporter.RealSeconds("import") * 1e3);
    std::printf("  field checks  %8.1f (%8.1f)   RunFieldChecks + FormatFieldChecks\n",
                checks * 1e3, reporter.RealSeconds("field-checks") * 1e3);
    std::printf("    of which      %8.1f (%8.1f)   RunFieldChecks alone\n",
                reporter.Seconds("run-only") * 1e3, reporter.RealSeconds("run-only") * 1e3);
    std::printf("  field checks / import  %.3f <= %.2f %s\n", ratio, kTarget,
                holds ? "pass" : "FAIL");
    return holds ? 0 : 1;
}
