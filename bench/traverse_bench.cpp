// Import, check and export of generated record files of about 1, 10 and 100 MB, each against the
// floor of libxml2's own parse of the same file, and the peak memory of an import against that of
// the parse alone. Prints the figures, the ratios and whether each target holds.
//
//     traverse_bench --records=DIR [--sizes=1,10,100] [--few-names=100] [benchmark flags]
//
// DIR holds records-<N>MB.xml for each size, and records-<N>MB-few-names.xml for --few-names=N
// (tools/generate_records.py writes them, the latter with --name-pool; make bench does). Exits 1
// when a target does not hold.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
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

#include "floor_parse.h"
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

const char* const kOperations[] = {"parse", "import", "check", "export"};

std::string Name(const char* operation, const RecordFile& file) {
    return std::string(operation) + "/" + file.label;
}

// The floor: a document from libxml2 and its release.
void BenchParse(benchmark::State& state, const RecordFile* file) {
    for (auto _ : state) {
        xmlDocPtr document = traverse::bench::FloorParse(file->path);
        if (document == nullptr) {
            state.SkipWithError("libxml2 cannot parse the file");
            break;
        }
        xmlFreeDoc(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->bytes));
}

// OnButtonExchange on a fresh importer, and the release of what it imported.
void BenchImport(benchmark::State& state, const RecordFile* file) {
    for (auto _ : state) {
        CImportXml importer;
        if (importer.OnButtonExchange(file->path) != 0) {
            state.SkipWithError("the import failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->bytes));
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

// Prints as the console reporter does and keeps the fastest repetition of every benchmark.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // Each repetition, or only the "min" aggregate when aggregates alone are reported.
            const bool repetition = run.run_type == Run::RT_Iteration;
            if (run.error_occurred || (!repetition && run.aggregate_name != "min")) continue;
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            Keep(m_cpu, run.run_name.function_name, run.GetAdjustedCPUTime() / unit);
            Keep(m_real, run.run_name.function_name, run.GetAdjustedRealTime() / unit);
        }
    }
    // CPU seconds per operation; 0 when the benchmark did not run.
    double Seconds(const std::string& name) const { return Find(m_cpu, name); }
    // Wall-clock seconds per operation.
    double RealSeconds(const std::string& name) const { return Find(m_real, name); }

private:
    using Times = std::map<std::string, double>;
    static void Keep(Times& times, const std::string& name, double seconds) {
        auto [entry, added] = times.emplace(name, seconds);
        if (!added) entry->second = std::min(entry->second, seconds);
    }
    static double Find(const Times& times, const std::string& name) {
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    }
    Times m_cpu;
    Times m_real;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Peak resident-set growth, KiB, of one operation in a process of its own; the least of a few
// runs; -1 when it cannot be measured.
long PeakKiB(const char* operation, const std::string& path, int runs) {
    long least = -1;
    for (int i = 0; i < runs; ++i) {
        const std::string command =
            Quote(TRAVERSE_PEAK_MEMORY_PATH) + " " + operation + " " + Quote(path);
        std::FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return -1;
        long kib = -1;
        if (std::fscanf(pipe, "%ld", &kib) != 1) kib = -1;
        const int status = pclose(pipe);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || kib < 0) return -1;
        least = least < 0 ? kib : std::min(least, kib);
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

// Takes --name=value out of argv; empty when absent.
std::string TakeFlag(int& argc, char** argv, const char* name) {
    const std::string prefix = std::string("--") + name + "=";
    std::string value;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) value = argv[i] + prefix.size();
        else argv[kept++] = argv[i];
    }
    argc = kept;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = TakeFlag(argc, argv, "records");
    std::string sizes = TakeFlag(argc, argv, "sizes");
    const int fewNames = std::atoi(TakeFlag(argc, argv, "few-names").c_str());
    if (directory.empty()) directory = ".";
    if (sizes.empty()) sizes = "1,10,100";
    // The repetitions of the benchmarks run in random order, so that a slow spell of a shared
    // machine falls on the floor and on the library alike; flags given on the command line win
    // (but for --benchmark_filter: the phases below choose what runs).
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
    xmlInitParser();

    // The record files: records-<N>MB.xml, and records-<N>MB-few-names.xml for --few-names=N.
    const auto recordFile = [&](int megabytes, const std::string& suffix, RecordFile& file) {
        file.megabytes = megabytes;
        file.label = std::to_string(megabytes) + "MB" + suffix;
        file.path = directory + "/records-" + file.label + ".xml";
        file.exportPath = directory + "/records-" + file.label + ".txt";
        struct stat status {};
        if (stat(file.path.c_str(), &status) != 0) {
            std::fprintf(stderr, "missing %s: tools/generate_records.py --megabytes %d%s -o %s\n",
                         file.path.c_str(), megabytes, suffix.empty() ? "" : " --name-pool 100",
                         file.path.c_str());
            return false;
        }
        file.bytes = static_cast<double>(status.st_size);
        return true;
    };
    std::vector<RecordFile> files;
    for (std::size_t at = 0; at < sizes.size();) {
        const std::size_t comma = std::min(sizes.find(',', at), sizes.size());
        RecordFile file;
        if (!recordFile(std::atoi(sizes.substr(at, comma - at).c_str()), "", file)) return 2;
        files.push_back(file);
        at = comma + 1;
    }
    // The parser's cost per name grows with the number of distinct names in a file (libxml2's name
    // dictionary); a file of the same size with few of them shows the floor without that.
    RecordFile fewNamesFile;
    if (fewNames > 0 && !recordFile(fewNames, "-few-names", fewNamesFile)) return 2;

    for (const RecordFile& file : files) {
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
        configure(benchmark::RegisterBenchmark(Name("parse", file).c_str(), BenchParse, &file));
        configure(benchmark::RegisterBenchmark(Name("import", file).c_str(), BenchImport, &file));
        configure(benchmark::RegisterBenchmark(Name("check", file).c_str(), BenchCheck, &file));
        configure(benchmark::RegisterBenchmark(Name("export", file).c_str(), BenchExport, &file));
    }
    if (fewNames > 0) {
        for (const char* operation : {"parse", "import"}) {
            benchmark::RegisterBenchmark(Name(operation, fewNamesFile).c_str(),
                                         operation == std::string("parse") ? BenchParse : BenchImport,
                                         &fewNamesFile)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(3)
                ->Iterations(1)
                ->ComputeStatistics("min", [](const std::vector<double>& values) {
                    return *std::min_element(values.begin(), values.end());
                });
        }
    }
    CollectingReporter reporter(isatty(fileno(stdout)) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                       : benchmark::ConsoleReporter::OO_Tabular);
    // First the floor and the import of every file, interleaved, with no imported data held: an
    // imported 100 MB file left in the heap would slow every small import after it. Then the check
    // and the export, one file at a time, on that file imported once.
    benchmark::RunSpecifiedBenchmarks(&reporter, "^(parse|import)/");
    for (const RecordFile& file : files) {
        benchmark::RunSpecifiedBenchmarks(&reporter, "^(check|export)/" + file.label + "/");
        g_imported.reset();
    }
    benchmark::Shutdown();

    Verdicts verdict;
    // The ratios are taken on CPU time: the machines this runs on are shared, and time spent
    // waiting for a core says nothing about the code. Wall-clock time is shown beside it.
    std::printf("\nFastest of the repetitions: CPU milliseconds per operation and MB/s "
                "(wall-clock milliseconds in brackets)\n");
    std::printf("%8s %12s %25s %25s %25s %25s %14s %14s\n", "file", "bytes", "parse", "import",
                "check", "export", "peak parse", "peak import");
    std::map<std::string, std::vector<double>> perMegabyte;  // seconds per MB by operation
    std::vector<long> parsePeaks, importPeaks;
    for (const RecordFile& file : files) {
        const double megabytes = file.bytes / 1e6;
        std::printf("%8s %12.0f", file.label.c_str(), file.bytes);
        for (const char* operation : kOperations) {
            const double seconds = reporter.Seconds(Name(operation, file));
            perMegabyte[operation].push_back(seconds / megabytes);
            std::printf(" %8.1f %6.1f (%7.1f)", seconds * 1e3, seconds > 0 ? megabytes / seconds : 0.0,
                        reporter.RealSeconds(Name(operation, file)) * 1e3);
        }
        const int runs = file.bytes > 30e6 ? 1 : 3;
        parsePeaks.push_back(PeakKiB("parse", file.path, runs));
        importPeaks.push_back(PeakKiB("import", file.path, runs));
        std::printf(" %11.1fMiB %11.1fMiB\n", parsePeaks.back() / 1024.0, importPeaks.back() / 1024.0);
    }

    std::printf("\nTargets\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        const RecordFile& file = files[i];
        const double parse = reporter.Seconds(Name("parse", file));
        const double import = reporter.Seconds(Name("import", file));
        const double check = reporter.Seconds(Name("check", file));
        const double exported = reporter.Seconds(Name("export", file));
        const bool measured = parse > 0 && import > 0 && check > 0 && exported > 0;
        const double importRatio = measured ? import / parse : 0;
        const double checkRatio = measured ? check / import : 0;
        const double exportRatio = measured ? exported / import : 0;
        std::printf("%6s  import/parse %5.2f <= 1.50 %s   check/import %5.3f <= 0.25 %s   "
                    "export/import %5.3f <= 0.50 %s\n",
                    file.label.c_str(), importRatio, verdict(measured && importRatio <= 1.5), checkRatio,
                    verdict(measured && checkRatio <= 0.25), exportRatio,
                    verdict(measured && exportRatio <= 0.5));
        const bool peaks = parsePeaks[i] > 0 && importPeaks[i] > 0;
        const double memoryRatio = peaks ? static_cast<double>(importPeaks[i]) / parsePeaks[i] : 0;
        std::printf("%6s  peak memory import/parse %5.2f <= 1.50 %s\n", file.label.c_str(), memoryRatio,
                    verdict(peaks && memoryRatio <= 1.5));
    }
    if (files.size() > 1) {
        std::printf("time per MB, largest over smallest across the sizes (<= 1.25 for the library)\n");
        for (const char* operation : kOperations) {
            const std::vector<double>& values = perMegabyte[operation];
            const double low = *std::min_element(values.begin(), values.end());
            const double high = *std::max_element(values.begin(), values.end());
            const double spread = low > 0 ? high / low : 0;
            std::printf("        %-7s", operation);
            for (double value : values) std::printf(" %8.2f ms/MB", value * 1e3);
            if (std::strcmp(operation, "parse") == 0) std::printf("   spread %5.2f (floor)\n", spread);
            else std::printf("   spread %5.2f <= 1.25 %s\n", spread, verdict(low > 0 && spread <= 1.25));
        }
    }
    if (fewNames > 0) {
        const double megabytes = fewNamesFile.bytes / 1e6;
        const double parse = reporter.Seconds(Name("parse", fewNamesFile));
        const double import = reporter.Seconds(Name("import", fewNamesFile));
        std::printf("%s, %.0f bytes, few distinct names: parse %.2f ms/MB, import %.2f ms/MB, "
                    "import/parse %.2f\n",
                    fewNamesFile.label.c_str(), fewNamesFile.bytes, parse / megabytes * 1e3,
                    import / megabytes * 1e3, parse > 0 ? import / parse : 0.0);
        const double smallest = perMegabyte["import"].empty() ? 0 : perMegabyte["import"].front();
        if (smallest > 0) {
            std::printf("        import per MB against the %s file's: %.2f (informative)\n",
                        files.front().label.c_str(), import / megabytes / smallest);
        }
    }
    std::printf("%s\n", verdict.failed == 0 ? "every target holds"
                                            : (std::to_string(verdict.failed) + " target(s) missed").c_str());
    return verdict.failed == 0 ? 0 : 1;
}
