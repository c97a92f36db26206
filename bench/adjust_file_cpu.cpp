// The C++ peer of the Python package's adjustment benchmark: imports one record file, then prints
// the best CPU time of AdjustNetwork over N runs, in seconds.
//
//     adjust_file_cpu FILE [N]
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "traverse/adjust.h"
#include "traverse/import_xml.h"

namespace {

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: adjust_file_cpu FILE [N]\n");
        return 2;
    }
    traverse::CImportXml importer;
    if (importer.OnButtonExchange(argv[1]) != 0) return 1;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < runs; ++run) {
        const double start = CpuSeconds();
        const traverse::AdjustmentResult result = traverse::AdjustNetwork(importer, {});
        const double used = CpuSeconds() - start;
        if (result.status != traverse::AdjustmentStatus::Adjusted) return 1;
        if (used < best) best = used;
    }
    std::printf("%.6f\n", best);
    return 0;
}
