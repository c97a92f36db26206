// A minimal host: imports a record file and prints what it holds.
#include <cstdio>

#include <traverse/traverse.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    traverse::CImportXml importer;
    const std::uint32_t result = importer.OnButtonExchange(argv[1]);
    std::printf("traverse %s: result %u, stations: %zu, known points: %zu\n", TRAVERSE_VERSION,
                static_cast<unsigned>(result), importer.m_arrStation.size(),
                importer.m_arrKnownPoint.size());
    return result == 0 ? 0 : 1;
}
