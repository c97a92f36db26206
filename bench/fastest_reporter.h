// What the benchmark programs share: a console reporter that keeps the fastest repetition of
// every benchmark, the reading of the programs' own --name=value flags, and the import benchmark.
#ifndef TRAVERSE_BENCH_FASTEST_REPORTER_H
#define TRAVERSE_BENCH_FASTEST_REPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace traverse::bench {

// Prints as the console reporter does and keeps, per benchmark, the fastest repetition (or the
// "min" aggregate where only aggregates are reported).
class FastestReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override;
    // CPU seconds per operation; 0 when the benchmark did not run.
    double Seconds(const std::string& name) const { return Find(m_cpu, name); }
    // Wall-clock seconds per operation.
    double RealSeconds(const std::string& name) const { return Find(m_real, name); }

private:
    using Times = std::map<std::string, double>;
    static void Keep(Times& times, const std::string& name, double seconds);
    static double Find(const Times& times, const std::string& name);
    Times m_cpu;
    Times m_real;
};

// Takes --name=value out of argv; empty when absent.
std::string TakeFlag(int& argc, char** argv, const char* name);

// The body of an import benchmark: OnButtonExchange of path (bytes long) on a fresh importer, and
// the release of what it imported, once per iteration.
void ImportEachIteration(benchmark::State& state, const std::string& path, double bytes);

}  // namespace traverse::bench

#endif
