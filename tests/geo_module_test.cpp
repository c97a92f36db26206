// PROJ and GDAL come with the geo module, which the program loads only for --crs and the GIS and
// CAD result files; without the module only those fail, naming it.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

namespace fs = std::filesystem;

const std::string kExample = std::string(TRAVERSE_EXAMPLES_DIR) + "/traverse.xml";

bool Mentions(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

TEST(GeoModule, LoadedOnlyByTheCommandsThatNeedIt) {
    const ProgramRun import = RunTraverse({"import", kExample}, {"LD_DEBUG=files"});
    EXPECT_EQ(import.status, 0) << import.err;
    EXPECT_TRUE(Mentions(import.err, "libtraverse.so")) << "LD_DEBUG did not report the loads";
    for (const char* library : {"libtraverse_geo", "libgdal", "libproj"}) {
        EXPECT_FALSE(Mentions(import.err, library)) << library;
    }
    TempDir dir;
    const ProgramRun adjust = RunTraverse(
        {"adjust", kExample, "--crs", "EPSG:4547", "-o", dir.File("x.gpkg")}, {"LD_DEBUG=files"});
    EXPECT_EQ(adjust.status, 0) << adjust.err;
    EXPECT_GT(fs::file_size(dir.File("x.gpkg")), 0u);
    for (const char* library : {"libtraverse_geo.so", "libgdal", "libproj"}) {
        EXPECT_TRUE(Mentions(adjust.err, library)) << library;
    }
}

// The program and its library copied alone into a folder of their own.
TEST(GeoModule, WithoutItOnlyCrsAndGisFilesFailNamingIt) {
    TempDir dir;
    const std::string program = dir.File("traverse");
    fs::copy_file(TRAVERSE_CLI_PATH, program);
    fs::copy_file(TRAVERSE_SHARED_LIBRARY, dir.File(fs::path(TRAVERSE_SHARED_LIBRARY).filename()));
    const std::string library = "LD_LIBRARY_PATH=" + dir.Path();
    const std::string module = dir.File("libtraverse_geo.so");

    EXPECT_EQ(RunCommand({program, "import", kExample}, {library}).status, 0);
    const ProgramRun crs =
        RunCommand({program, "--lang", "en", "adjust", kExample, "--crs", "EPSG:4547"}, {library});
    EXPECT_EQ(crs.status, 2);
    EXPECT_TRUE(Mentions(crs.err, ("Invalid option: The module " + module).c_str())) << crs.err;
    EXPECT_TRUE(Mentions(crs.err, "cannot open shared object file")) << crs.err;

    const ProgramRun files = RunCommand({program, "--lang", "en", "adjust", kExample, "-o",
                                         dir.File("x.gpkg"), "-o", dir.File("x.csv")},
                                        {library});
    EXPECT_EQ(files.status, 1);
    EXPECT_TRUE(Mentions(files.err, module.c_str())) << files.err;
    EXPECT_FALSE(fs::exists(dir.File("x.gpkg")));
    EXPECT_GT(fs::file_size(dir.File("x.csv")), 0u);
}

}  // namespace
}  // namespace traverse
