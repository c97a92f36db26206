// The report in a real browser: headless Chromium opens the page the program wrote, dumps the DOM
// it built and takes a screenshot. The plot holds every point, the screenshot is not blank and
// shows the known points' colour, and the console stays silent: the page's policy lets nothing
// load or run, so a script or resource that slipped in would be reported there. The Chinese page
// shows real glyphs, not the boxes of characters no font has.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdlib>
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
    const ProgramRun run =
        RunCommand({"timeout", "60", Chromium(), "--headless", "--no-sandbox", "--disable-gpu",
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
Rendering RenderReport(const std::string& recordBytes, const TempDir& dir, int expectedStatus,
                       int knownPoints) {
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
    if (Chromium() == nullptr)
        GTEST_SKIP() << "headless Chromium is not installed (Debian package chromium; "
                        "`make test` installs it when run as root)";
    TempDir dir;
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    const Rendering rendering = RenderReport(ReadFileBytes(example), dir, 0, 4);
    const HtmlPage dom(rendering.dom);
    EXPECT_EQ(
        dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point known']/polygon"), 4);
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point new']/circle"),
              6);
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='labels']/text"), 10);
    EXPECT_EQ(dom.Count("//section"), 6);
}

TEST(ReportInBrowser, MarkupInANameStaysText) {
    if (Chromium() == nullptr)
        GTEST_SKIP() << "headless Chromium is not installed (Debian package chromium; "
                        "`make test` installs it when run as root)";
    TempDir dir;
    const Rendering rendering = RenderReport(GbkRecordFile(kMarkupNamedStationBody), dir, 1, 2);
    const HtmlPage dom(rendering.dom);
    EXPECT_EQ(dom.Count("//script"), 0);
    EXPECT_EQ(dom.Texts("//section[@id='import']//tbody/tr/td[1]").at(0),
              "<script>alert(1)</script>");
    EXPECT_EQ(dom.Count("//section[@id='plot']//g[@class='points']/g[@class='point known']"), 2);
}

// Measures, in the page as its style sets it, every Chinese character of the headings, table heads
// and plot texts: the ink of each drawn alone (a box is the same ink for every character, and the
// same as a character no font has) and the width of each <h2>'s characters (one em apiece in a
// Chinese font). Writes "characters=N distinct=N boxes=N wrong-widths=N" into <pre id=probe>.
constexpr char kGlyphProbe[] = R"js(<script>
const canvas = document.createElement('canvas'); canvas.width = canvas.height = 48;
const g = canvas.getContext('2d', {willReadFrequently: true});
const cjk = /[\u3400-\u9fff]/g;
function fontOf(e) { const s = getComputedStyle(e); return `${s.fontWeight} ${s.fontSize} ${s.fontFamily}`; }
function ink(ch, font) {
  g.font = font; g.clearRect(0, 0, 48, 48); g.fillText(ch, 8, 36);
  const d = g.getImageData(0, 0, 48, 48).data; let h = 7;
  for (let i = 3; i < d.length; i += 4) h = (h * 31 + d[i]) | 0;
  return h;
}
const inks = new Map(); let boxes = 0, wrong = 0;
for (const e of document.querySelectorAll('h1, h2, h3, th, svg text')) {
  const font = fontOf(e), box = ink('\u{10FFFD}', font);
  for (const ch of e.textContent.match(cjk) || []) {
    const mark = ink(ch, font); if (mark === box) ++boxes; inks.set(ch, mark);
  }
}
for (const h of document.querySelectorAll('h2')) {
  const chars = (h.textContent.match(cjk) || []).join(''); g.font = fontOf(h);
  const em = parseFloat(getComputedStyle(h).fontSize);
  if (Math.abs(g.measureText(chars).width - chars.length * em) > 0.5) ++wrong;
}
const probe = document.createElement('pre'); probe.id = 'probe';
probe.textContent = `characters=${inks.size} distinct=${new Set(inks.values()).size} ` +
                    `boxes=${boxes} wrong-widths=${wrong}`;
document.body.append(probe);
</script>)js";

// The number after name= in the probe's line; -1 when there is none.
long ProbeValue(const std::string& dom, const std::string& name) {
    const std::size_t probe = dom.find("<pre id=\"probe\">");
    const std::size_t at = dom.find(name + "=", probe);
    if (probe == std::string::npos || at == std::string::npos) return -1;
    return std::strtol(dom.c_str() + at + name.size() + 1, nullptr, 10);
}

TEST(ReportInBrowser, TheChinesePageShowsRealGlyphs) {
    if (Chromium() == nullptr)
        GTEST_SKIP() << "headless Chromium is not installed (Debian package chromium; "
                        "`make test` installs it when run as root)";
    TempDir dir;
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    const std::string page = dir.File("report.html");
    EXPECT_EQ(RunTraverse({"--lang", "zh", "report", example, "-o", page}).status, 0);
    // The page's policy lets no script run: the probe's copy leaves the policy out.
    std::string html = ReadFileBytes(page);
    const std::size_t policy = html.find("<meta http-equiv=\"Content-Security-Policy\"");
    ASSERT_NE(policy, std::string::npos);
    html.erase(policy, html.find('\n', policy) - policy);
    html.insert(html.rfind("</body>"), kGlyphProbe);
    const Rendering rendering = Render(dir.Write("probe.html", html), dir);
    ASSERT_EQ(rendering.status, 0) << rendering.log;
    const long characters = ProbeValue(rendering.dom, "characters");
    EXPECT_GE(characters, 30) << rendering.log;
    EXPECT_EQ(ProbeValue(rendering.dom, "distinct"), characters);
    EXPECT_EQ(ProbeValue(rendering.dom, "boxes"), 0);
    EXPECT_EQ(ProbeValue(rendering.dom, "wrong-widths"), 0);
}

}  // namespace
}  // namespace traverse
