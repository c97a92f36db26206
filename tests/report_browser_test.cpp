// The report in a real browser: headless Chromium opens the page the program wrote, dumps the DOM
// it built and takes a screenshot. The plot holds every point, the screenshot is not blank and
// shows the known points' colour, and the console stays silent: the page's policy lets nothing
// load or run, so a script or resource that slipped in would be reported there.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "support/html_page.h"
#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

const char* Chromium() {
    for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (access(path, X_OK) == 0) return path;
    }
    return nullptr;
}

struct Rendering {
    int status = -1;
    std::string dom;  // the serialized DOM after loading
    std::string log;  // the browser's log: console messages are its ":CONSOLE" lines
    std::string screenshotPath;
};

// One browser run does both the dump and the screenshot; a minute at most.
Rendering Render(const std::string& page, const TempDir& dir) {
    TempDir profile;
    Rendering rendering;
    rendering.screenshotPath = dir.File("screenshot.png");
    const ProgramRun run = RunCommand({"timeout", "60", Chromium(), "--headless", "--no-sandbox", "--disable-gpu",
                                       "--disable-quic", "--no-first-run", "--disable-background-networking",
                                       "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                                       "--user-data-dir=" + profile.Path(), "--enable-logging=stderr", "--v=0",
                                       "--window-size=1000,1800", "--screenshot=" + rendering.screenshotPath,
                                       "--dump-dom", "file://" + page});
    rendering.status = run.status;
    rendering.dom = run.out;
    rendering.log = run.err;
    return rendering;
}

std::vector<std::string> ConsoleLines(const std::string& log) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < log.size(); start = end + 1) {
        end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        if (line.find(":CONSOLE") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

struct Pixels {
    std::size_t colours = 0;
    std::size_t knownPointPixels = 0;  // the fill of the known-point triangles, #1f4e9c
    bool read = false;
};

Pixels ReadScreenshot(const std::string& path) {
    Pixels pixels;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return pixels;
    std::set<unsigned> colours;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const unsigned colour = rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2];
        colours.insert(colour);
        pixels.knownPointPixels += colour == 0x1f4e9cu;
    }
    pixels.colours = colours.size();
    pixels.read = true;
    return pixels;
}

// The page of records, written by the program, rendered; the expectations common to every page.
// Each known point's triangle fills some 18 pixels of its colour at this size.
Rendering RenderReport(const std::string& recordBytes, const TempDir& dir, int expectedStatus, int knownPoints) {
    const std::string records = dir.Write("records.xml", recordBytes);
    const ProgramRun report = RunTraverse({"report", records, "-o", dir.File("report.html")});
    EXPECT_EQ(report.status, expectedStatus) << report.err;
    const Rendering rendering = Render(dir.File("report.html"), dir);
    EXPECT_EQ(rendering.status, 0) << rendering.log;
    for (const std::string& line : ConsoleLines(rendering.log)) ADD_FAILURE() << line;
    const Pixels pixels = ReadScreenshot(rendering.screenshotPath);
    EXPECT_TRUE(pixels.read);
    EXPECT_GT(pixels.colours, 1u) << "blank screenshot";
    EXPECT_GE(pixels.knownPointPixels, 12u * knownPoints) << "known points not drawn";
    return rendering;
}

TEST(ReportInBrowser, ExampleDrawsEveryPointWithoutAConsoleMessage) {
    if (Chromium() == nullptr) GTEST_SKIP() << "headless Chromium is not installed (Debian package chromium; "
                                               "`make test` installs it when run as root)";
    TempDir dir;
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    const Rendering rendering = RenderReport(ReadFileBytes(example), dir, 0, 4);
    const HtmlPage dom(rendering.dom);
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point known']/polygon"), 4);
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point new']/circle"), 6);
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='labels']/text"), 10);
    EXPECT_EQ(dom.Count("//section"), 6);
}

TEST(ReportInBrowser, MarkupInANameStaysText) {
    if (Chromium() == nullptr) GTEST_SKIP() << "headless Chromium is not installed (Debian package chromium; "
                                               "`make test` installs it when run as root)";
    TempDir dir;
    const Rendering rendering = RenderReport(GbkRecordFile(kMarkupNamedStationBody), dir, 1, 2);
    const HtmlPage dom(rendering.dom);
    EXPECT_EQ(dom.Count("//script"), 0);
    EXPECT_EQ(dom.Texts("//section[@id='import']//tbody/tr/td[1]").at(0), "<script>alert(1)</script>");
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point known']"), 2);
}

}  // namespace
}  // namespace traverse
