// Import, check and export of generated record files, and the import against a peer program that
// parses the same file (xmllint --noout: libxml2's parse and tree), measured in the same run.
// Prints the figures, the ratios and whether each target holds.
//
//     traverse_bench --records=DIR [--sizes=1,20,100] [--peer-sizes=20,100] [benchmark flags]
//
// DIR holds records-<N>MB.xml and records-<N>MB-few-names.xml for each size
// (tools/generate_records.py writes them, the latter with --name-pool 100; make bench does). Exits
// 1 when a target does not hold.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fastest_reporter.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

using traverse::CImportXml;

struct RecordFile {
    int megabytes = 0;       // nominal size
    std::string label;       // "10MB", or "100MB-few-names"
    std::string path;
    std::string exportPath;  // where the export benchmark writes
    double bytes = 0;        // actual size
};

const char* const kOperations[] = {"import", "check", "export"};

std::string Name(const char* operation, const RecordFile& file) {
    return std::string(operation) + "/" + file.label;
}

// OnButtonExchange on a fresh importer, and the release of what it imported.
void BenchImport(benchmark::State& state, const RecordFile* file) {
    traverse::bench::ImportEachIteration(state, file->path, file->bytes);
}

// The imported file that the check and export benchmarks share; one at a time.
std::string g_importedPath;
std::unique_ptr<CImportXml> g_imported;

CImportXml& Imported(const RecordFile& file) {
    if (!g_imported || g_importedPath != file.path) {
        g_imported.reset();
        g_imported = std::make_unique<CImportXml>();
        g_imported->OnButtonExchange(file.path);
        g_importedPath = file.path;
    }
    return *g_imported;
}

void BenchCheck(benchmark::State& state, const RecordFile* file) {
    CImportXml& importer = Imported(*file);
    if (importer.m_arrStation.empty()) state.SkipWithError("nothing imported");
    for (auto _ : state) {
        importer.OnButtonCheck();
        benchmark::DoNotOptimize(importer.m_strText.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->bytes));
}

void BenchExport(benchmark::State& state, const RecordFile* file) {
    CImportXml& importer = Imported(*file);
    if (importer.m_arrStation.empty()) state.SkipWithError("nothing imported");
    for (auto _ : state) {
        if (importer.OnButtonTonbq(file->exportPath) != 0) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->bytes));
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// What one run of a program cost: CPU seconds (user and system) and peak resident set, KiB.
struct ProcessCost {
    double seconds = 0;
    long peakKiB = 0;
    bool ok = false;
};

// Runs a program through traverse_measure, which reports what the program cost.
ProcessCost RunProcess(const std::vector<std::string>& argv) {
    std::string command = Quote(TRAVERSE_MEASURE_PATH) + " run";
    for (const std::string& argument : argv) command += " " + Quote(argument);
    ProcessCost cost;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return cost;
    const bool read = std::fscanf(pipe, "%lf %ld", &cost.seconds, &cost.peakKiB) == 2;
    const int status = pclose(pipe);
    cost.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return cost;
}

// The import and its peer on one file, alternating, the least of each over runs.
struct PeerCosts {
    ProcessCost import;
    ProcessCost peer;
};

PeerCosts MeasureAgainstPeer(const std::string& path, int runs) {
    PeerCosts least;
    const auto keep = [](ProcessCost& kept, const ProcessCost& cost) {
        if (!cost.ok) return;
        if (!kept.ok || cost.seconds < kept.seconds) kept.seconds = cost.seconds;
        if (!kept.ok || cost.peakKiB < kept.peakKiB) kept.peakKiB = cost.peakKiB;
        kept.ok = true;
    };
    for (int i = 0; i < runs; ++i) {
        keep(least.peer, RunProcess({"xmllint", "--noout", path}));
        keep(least.import, RunProcess({TRAVERSE_MEASURE_PATH, "import", path}));
    }
    return least;
}

struct Verdicts {
    int failed = 0;
    const char* operator()(bool holds) {
        if (!holds) ++failed;
        return holds ? "pass" : "FAIL";
    }
};

// Numbers from a comma-separated flag value.
std::vector<int> Sizes(const std::string& list) {
    std::vector<int> sizes;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        sizes.push_back(std::atoi(list.substr(at, comma - at).c_str()));
        at = comma + 1;
    }
    return sizes;
}

bool FindRecordFile(const std::string& directory, int megabytes, bool fewNames, RecordFile& file) {
    file.megabytes = megabytes;
    file.label = std::to_string(megabytes) + "MB" + (fewNames ? "-few-names" : "");
    file.path = directory + "/records-" + file.label + ".xml";
    file.exportPath = directory + "/records-" + file.label + ".txt";
    struct stat status {};
    if (stat(file.path.c_str(), &status) != 0) {
        std::fprintf(
            stderr, "missing %s: tools/generate_records.py --megabytes %d --seed 1%s -o %s\n",
            file.path.c_str(), megabytes, fewNames ? " --name-pool 100" : "", file.path.c_str());
        return false;
    }
    file.bytes = static_cast<double>(status.st_size);
    return true;
}

void Register(const RecordFile& file) {
    // Large files take a second or more per operation: a fixed count of repetitions then.
    const bool large = file.bytes > 30e6;
    const auto configure = [&](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->Repetitions(large ? 3 : 10);
        b->ComputeStatistics("min", [](const std::vector<double>& values) {
            return *std::min_element(values.begin(), values.end());
        });
        if (large) b->Iterations(1);
        else b->MinTime(0.2);
    };
    configure(benchmark::RegisterBenchmark(Name("import", file).c_str(), BenchImport, &file));
    configure(benchmark::RegisterBenchmark(Name("check", file).c_str(), BenchCheck, &file));
    configure(benchmark::RegisterBenchmark(Name("export", file).c_str(), BenchExport, &file));
}

// Time per MB of the import across the sizes: largest over smallest.
double PrintPerMegabyte(const char* kind, const std::vector<RecordFile>& files,
                        const traverse::bench::FastestReporter& reporter) {
    double low = 0, high = 0;
    std::printf("  import, %-15s", kind);
    for (const RecordFile& file : files) {
        const double perMegabyte = reporter.Seconds(Name("import", file)) / (file.bytes / 1e6);
        std::printf(" %8.2f ms/MB", perMegabyte * 1e3);
        low = low == 0 ? perMegabyte : std::min(low, perMegabyte);
        high = std::max(high, perMegabyte);
    }
    const double spread = low > 0 ? high / low : 0;
    std::printf("   spread %5.2f", spread);
    return spread;
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = traverse::bench::TakeFlag(argc, argv, "records");
    std::string sizeList = traverse::bench::TakeFlag(argc, argv, "sizes");
    std::string peerList = traverse::bench::TakeFlag(argc, argv, "peer-sizes");
    if (directory.empty()) directory = ".";
    if (sizeList.empty()) sizeList = "1,20,100";
    if (peerList.empty()) peerList = "20,100";
    // The repetitions of the benchmarks run in random order, so that a slow spell of a shared
    // machine falls on every file alike; flags given on the command line win.
    std::vector<char*> arguments(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {interleave, aggregates});
    argc = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    traverse::SetMessageBoxHandler([](const std::string&) {});

    // Every size twice: the generator's many distinct names, and a few hundred of them.
    std::vector<RecordFile> manyNames, fewNames;
    for (const int megabytes : Sizes(sizeList)) {
        manyNames.emplace_back();
        fewNames.emplace_back();
        if (!FindRecordFile(directory, megabytes, false, manyNames.back()) ||
            !FindRecordFile(directory, megabytes, true, fewNames.back())) {
            return 2;
        }
    }
    std::vector<const RecordFile*> all;
    for (std::size_t i = 0; i < manyNames.size(); ++i)
        all.insert(all.end(), {&manyNames[i], &fewNames[i]});
    for (const RecordFile* file : all) Register(*file);

    traverse::bench::FastestReporter reporter(isatty(fileno(stdout))
                                                  ? benchmark::ConsoleReporter::OO_ColorTabular
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    // First the imports of every file, interleaved, with no imported data held: an imported 100 MB
    // file left in the heap would slow every small import after it. Then the check and the export,
    // one file at a time, on that file imported once.
    benchmark::RunSpecifiedBenchmarks(&reporter, "^import/");
    for (const RecordFile* file : all) {
        benchmark::RunSpecifiedBenchmarks(&reporter, "^(check|export)/" + file->label + "/");
        g_imported.reset();
    }
    benchmark::Shutdown();

    Verdicts verdict;
    // CPU time: the machines this runs on are shared, and time spent waiting for a core says
    // nothing about the code. Wall-clock time is shown beside it.
    std::printf("\nIn the benchmark's process, fastest repetition: CPU milliseconds per operation "
                "and MB/s (wall-clock milliseconds in brackets)\n");
    std::printf("%18s %11s %25s %25s %25s   check/import   export/import\n", "file", "bytes",
                "import", "check", "export");
    for (const RecordFile* file : all) {
        const double megabytes = file->bytes / 1e6;
        std::printf("%18s %11.0f", file->label.c_str(), file->bytes);
        for (const char* operation : kOperations) {
            const double seconds = reporter.Seconds(Name(operation, *file));
            std::printf(" %8.1f %6.1f (%7.1f)", seconds * 1e3,
                        seconds > 0 ? megabytes / seconds : 0.0,
                        reporter.RealSeconds(Name(operation, *file)) * 1e3);
        }
        const double import = reporter.Seconds(Name("import", *file));
        const double check = import > 0 ? reporter.Seconds(Name("check", *file)) / import : 0;
        const double exported = import > 0 ? reporter.Seconds(Name("export", *file)) / import : 0;
        std::printf("   %5.3f <= 0.20 %s", check, verdict(check > 0 && check <= 0.2));
        std::printf("   %5.3f <= 0.20 %s\n", exported, verdict(exported > 0 && exported <= 0.2));
    }

    std::printf(
        "\nEach in a process of its own, the least of 3 runs, alternating: CPU milliseconds "
        "and peak resident set\n");
    std::printf("%18s %22s %22s   %-22s   %-22s\n", "file", "xmllint --noout", "traverse import",
                "import/xmllint time", "import/xmllint peak");
    for (const int megabytes : Sizes(peerList)) {
        for (const bool few : {false, true}) {
            RecordFile file;
            if (!FindRecordFile(directory, megabytes, few, file)) return 2;
            const PeerCosts costs = MeasureAgainstPeer(file.path, 3);
            const bool measured = costs.peer.ok && costs.import.ok;
            const double time = measured ? costs.import.seconds / costs.peer.seconds : 0;
            const double peak =
                measured ? static_cast<double>(costs.import.peakKiB) / costs.peer.peakKiB : 0;
            std::printf(
                "%18s %9.0f ms %7.1f MiB %9.0f ms %7.1f MiB   %5.2f <= 0.80 %s      %5.2f <= 0.40 "
                "%s\n",
                file.label.c_str(), costs.peer.seconds * 1e3, costs.peer.peakKiB / 1024.0,
                costs.import.seconds * 1e3, costs.import.peakKiB / 1024.0, time,
                verdict(measured && time <= 0.8), peak, verdict(measured && peak <= 0.4));
        }
    }

    std::printf("\nTime per MB from the smallest file to the largest\n");
    const double spread = PrintPerMegabyte("few names", fewNames, reporter);
    std::printf(" <= 1.25 %s\n", verdict(spread > 0 && spread <= 1.25));
    PrintPerMegabyte("many names", manyNames, reporter);
    std::printf(" (informative)\n");
    std::printf("%s\n", verdict.failed == 0
                            ? "every target holds"
                            : (std::to_string(verdict.failed) + " target(s) missed").c_str());
    return verdict.failed == 0 ? 0 : 1;
}
