// traverse_measure run PROGRAM [ARG...]: runs PROGRAM and prints its CPU seconds (user and system)
// and peak resident set (KiB). Started from this small process, a program's peak counts only what
// it used itself, not the heap of the benchmark that asked (a child's peak includes the memory of
// the process it was forked from).
// traverse_measure import FILE: imports FILE once, the import's process to measure that way.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

int Run(char** argv) {
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        execvp(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return 1;
    const double seconds =
        static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.6f %ld\n", seconds, usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0) return Run(argv + 2);
    if (argc == 3 && std::strcmp(argv[1], "import") == 0) {
        traverse::SetMessageBoxHandler([](const std::string&) {});
        traverse::CImportXml importer;
        return importer.OnButtonExchange(argv[2]) == 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: traverse_measure run PROGRAM [ARG...] | import FILE\n");
    return 2;
}
