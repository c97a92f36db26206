#include "fastest_reporter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "traverse/import_xml.h"

namespace traverse::bench {

void FastestReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const bool repetition = run.run_type == Run::RT_Iteration;
        if (run.error_occurred || (!repetition && run.aggregate_name != "min")) continue;
        const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
        Keep(m_cpu, run.run_name.function_name, run.GetAdjustedCPUTime() / unit);
        Keep(m_real, run.run_name.function_name, run.GetAdjustedRealTime() / unit);
    }
}

void FastestReporter::Keep(Times& times, const std::string& name, double seconds) {
    auto [entry, added] = times.emplace(name, seconds);
    if (!added) entry->second = std::min(entry->second, seconds);
}

double FastestReporter::Find(const Times& times, const std::string& name) {
    const auto found = times.find(name);
    return found == times.end() ? 0.0 : found->second;
}

std::string TakeFlag(int& argc, char** argv, const char* name) {
    const std::string prefix = std::string("--") + name + "=";
    std::string value;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            value = argv[i] + prefix.size();
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return value;
}

void ImportEachIteration(benchmark::State& state, const std::string& path, double bytes) {
    for (auto _ : state) {
        CImportXml importer;
        if (importer.OnButtonExchange(path) != 0) {
            state.SkipWithError("the import failed");
            break;
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(static_cast<double>(state.iterations()) * bytes));
}

}  // namespace traverse::bench
