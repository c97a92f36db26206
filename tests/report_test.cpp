// The HTML report: the page parses as HTML and holds every section and one marker per point; the
// plot keeps the geometry (north up, one scale) and magnifies the ellipses by the factor its legend
// names; flagged observations stand out; names from the file are text, never markup; labels keep
// clear of each other; and the program's report command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "report/html.h"
#include "report/html_text.h"
#include "report/label_placement.h"
#include "support/html_page.h"
#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"
#include "traverse/html_report.h"

namespace traverse {
namespace {

const char* const kSections[] = {"summary",      "plot",         "import",
                                 "check-report", "field-checks", "adjustment"};

std::string Example(const char* name) { return std::string(TRAVERSE_EXAMPLES_DIR) + "/" + name; }

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

TEST(ReportPage, ExampleParsesWithEverySectionOneMarkerPerPointAndTheCheckReportAsItIs) {
    const HtmlReportInput input =
        ReportInputOf(Example("connecting-traverse.xml"), "connecting-traverse.xml");
    ASSERT_EQ(input.adjustment.status, AdjustmentStatus::Adjusted);
    const HtmlPage page(BuildHtmlReport(input));
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();
    for (const char* id : kSections)
        EXPECT_EQ(page.Count(std::string("//section[@id='") + id + "']/h2"), 1) << id;
    EXPECT_EQ(page.Count("//meta[@name='viewport']"), 1);
    EXPECT_EQ(page.Count("//script|//link|//img|//iframe|//object|//*[@src]"), 0);

    // One marker per point, each carrying its name and coordinates in its tooltip, and its label.
    const std::vector<std::string> titles =
        page.Texts("//section[@id='plot']//g[@class='points']/g/title");
    ASSERT_EQ(titles.size(), input.adjustment.points.size());
    const std::vector<std::string> labels =
        page.Texts("//section[@id='plot']//g[@class='labels']/text");
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const AdjustedPoint& point = input.adjustment.points[i];
        const std::string name = GbkToUtf8(point.name);
        EXPECT_EQ(titles[i].rfind(name + "\n", 0), 0u) << titles[i];
        char x[32];
        std::snprintf(x, sizeof x, "x = %.4f m", point.x);
        EXPECT_NE(titles[i].find(x), std::string::npos) << titles[i];
        EXPECT_EQ(labels.at(i), name);
    }
    EXPECT_EQ(page.Count("//g[@class='points']/g[@class='point known']/polygon"), 4);
    EXPECT_EQ(page.Count("//g[@class='ellipses']/ellipse"), 6);

    std::string checkReport = GbkToUtf8(input.checkReport);
    for (std::size_t cr; (cr = checkReport.find('\r')) != std::string::npos;)
        checkReport.erase(cr, 1);
    EXPECT_EQ(page.Texts("//section[@id='check-report']/pre").at(0), checkReport);
    EXPECT_EQ(page.Count("//p[@class='verdict good']"), 1);
}

TEST(ReportPage, FieldCheckExceedancesStandOutInTheirTablesAndTheSummary) {
    const HtmlReportInput input = ReportInputOf(Example("field-checks.xml"), "field-checks.xml");
    ASSERT_GT(input.fieldChecks.exceededCount, 0u);
    const HtmlPage page(BuildHtmlReport(input));
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();
    EXPECT_EQ(page.Count("//section[@id='field-checks']//table[@class='field lead3']"), 3);
    EXPECT_EQ(
        page.Count("//section[@id='field-checks']//table[@class='field lead3']//td[@class='over']"),
        static_cast<int>(input.fieldChecks.exceededCount));
    const std::vector<std::string> failed =
        page.Texts("//table[@class='checks lead2']//tr[@class='fail']/td[1]");
    for (const FieldCheckSummary& item : input.fieldChecks.summary) {
        const std::string code = std::to_string(item.code) + " ";
        bool listed = false;
        for (const std::string& row : failed) listed = listed || row.rfind(code, 0) == 0;
        EXPECT_EQ(listed, item.exceededCount > 0) << item.code;
    }
    EXPECT_EQ(page.Count("//div[@class='verdict bad']"), 1);
}

TEST(ReportPage, LongTablesShowTheirFlaggedRowsFirstAndTheRestBehindDetailsUpToALimit) {
    HtmlReportInput input = ReportInputOf(Example("field-checks.xml"), "field-checks.xml");
    ASSERT_GT(input.fieldChecks.exceededCount, 0u);
    // The file's values again and again, at stations of their own: every table becomes long.
    const std::vector<FieldCheckValue> values = input.fieldChecks.values;
    for (int copy = 1; copy < 60; ++copy) {
        for (FieldCheckValue value : values) {
            value.station += std::to_string(copy);
            input.fieldChecks.values.push_back(value);
        }
    }
    input.adjustment.status = AdjustmentStatus::Adjusted;
    input.adjustment.observations.assign(3000, AdjustedObservation{});
    for (std::size_t i = 0; i < 3000; ++i) {
        input.adjustment.observations[i].station = std::to_string(i);
        input.adjustment.observations[i].outlier = i % 14 == 0;
        input.adjustment.observations[i].weaklyControlled = i % 14 == 7;
    }
    const HtmlPage page(BuildHtmlReport(input));
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();

    const std::string field = "//section[@id='field-checks']";
    const int over = page.Count(field + "//td[@class='over']");
    EXPECT_EQ(over, 60 * static_cast<int>(input.fieldChecks.exceededCount));
    EXPECT_EQ(page.Count(field + "/div/table[@class='field lead3']//td[@class='over']"), over);
    EXPECT_EQ(page.Count(field + "/details//td[@class='over']"), 0);
    EXPECT_EQ(page.Count(field + "/details/div/table[@class='field lead3']"), 3);

    const std::string observations = "//section[@id='adjustment']";
    const std::vector<std::string> flagged =
        page.Texts(observations + "/div/table[@class='lead3']//tr/td[1]");
    ASSERT_EQ(flagged.size(), 3000u / 7 + 1);
    EXPECT_EQ(flagged.front(), "0");
    EXPECT_EQ(flagged.back(), "2989");  // the weakly controlled after the outliers
    EXPECT_EQ(page.Count(observations + "/details/div/table[@class='lead3']//tbody/tr"), 2000);
    EXPECT_EQ(page.Texts(observations + "/details/summary").at(0), "2571 rows, none flagged");
    EXPECT_EQ(page.Count(observations + "/details/p[@class='quiet']"), 1);
}

TEST(ReportPage, NamesFromTheFileAreTextNeverMarkup) {
    TempDir dir;
    const std::string path = dir.Write("markup.xml", GbkRecordFile(kMarkupNamedStationBody));
    const HtmlReportInput input = ReportInputOf(path, "<b>\"a&b\"</b>.xml");
    ASSERT_NE(input.adjustment.status, AdjustmentStatus::Adjusted);
    const std::string html = BuildHtmlReport(input);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    const HtmlPage page(html);
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();
    EXPECT_EQ(page.Count("//script|//b"), 0);
    EXPECT_EQ(page.Texts("//header/p").at(0), "<b>\"a&b\"</b>.xml");
    EXPECT_EQ(page.Texts("//section[@id='import']//tbody/tr/td[1]").at(0),
              "<script>alert(1)</script>");
    EXPECT_NE(page.Texts("//section[@id='import']/pre").at(0).find("<script>alert(1)</script>"),
              std::string::npos);
    // Not adjusted: the page says why and draws the known points it has.
    EXPECT_EQ(page.Count("//section[@id='adjustment']/p[@class='verdict bad']"), 1);
    EXPECT_EQ(page.Count("//g[@class='points']/g[@class='point known']"), 2);
}

TEST(ReportPage, WithoutAnyPlacedPointThePlotSaysSo) {
    HtmlReportInput input;
    input.adjustment.status = AdjustmentStatus::NoKnownPoints;
    const HtmlPage page(BuildHtmlReport(input));
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();
    EXPECT_EQ(page.Count("//section[@id='plot']//svg"), 0);
    EXPECT_EQ(page.Count("//section[@id='plot']/p"), 1);
}

TEST(ReportPage, NotAdjustedThePlaceablePointsAreDrawnWithoutEllipsesAndNothingThatIsNoNumber) {
    HtmlReportInput input;
    input.adjustment.status = AdjustmentStatus::Singular;
    input.sketch.points = {
        {"K", true, 100.0, 200.0}, {"P", false, 150.0, 260.0}, {"Q", false, NAN, 0.0}};
    input.sketch.lines = {{0, 1}, {1, 2}};
    const std::string html = BuildHtmlReport(input);
    EXPECT_EQ(html.find("nan"), std::string::npos);
    const HtmlPage page(html);
    EXPECT_TRUE(page.Errors().empty()) << page.Errors().front();
    EXPECT_EQ(page.Count("//g[@class='points']/g[@class='point known']"), 1);
    EXPECT_EQ(page.Count("//g[@class='points']/g[@class='point new']"), 1);
    EXPECT_EQ(page.Count("//g[@class='sightlines']/line"), 1);
    EXPECT_EQ(page.Count("//ellipse"), 0);
    EXPECT_EQ(page.Count("//section[@id='plot']/p"), 1);  // it says the adjustment did not run
}

// A known coordinate of -1e308 is left out with a note; the plot keeps to numbers.
TEST(ReportPage, AKnownCoordinateBeyondUseIsLeftOutAndThePlotHoldsNumbersOnly) {
    std::string bytes = ReadFileBytes(Example("connecting-traverse.xml"));
    const std::string known = Utf8ToGbk("<东岭 x=\"3512150.000\"");
    ASSERT_NE(bytes.find(known), std::string::npos);
    bytes.replace(bytes.find(known), known.size(), Utf8ToGbk("<东岭 x=\"-1e308\""));
    TempDir dir;
    const std::string html = BuildHtmlReport(ReportInputOf(dir.Write("far.xml", bytes), "far.xml"));
    EXPECT_NE(html.find("Known point &quot;东岭&quot;: x and y are not both usable numbers"),
              std::string::npos);
    const HtmlPage page(html);
    EXPECT_GT(page.Count("//g[@class='ellipses']/ellipse"), 0);  // adjusted without it
    for (const char* attribute : {"cx", "cy", "rx", "ry", "x1", "y1", "x2", "y2", "transform"}) {
        for (const std::string& value : page.Texts(std::string("//svg//@") + attribute)) {
            EXPECT_TRUE(value.find("inf") == std::string::npos &&
                        value.find("nan") == std::string::npos)
                << attribute << "=\"" << value << "\"";
        }
    }
}

AdjustedPoint Point(const char* name, double x, double y, bool known, double a = 0, double b = 0,
                    double az = 0) {
    AdjustedPoint p;
    p.name = name;
    p.hasPlane = true;
    p.planeFixed = known;
    p.x = x, p.y = y;
    p.ellipseMajor = a, p.ellipseMinor = b, p.ellipseAzimuth = az;
    return p;
}

AdjustedObservation Sight(const char* from, const char* to, bool outlier) {
    AdjustedObservation o;
    o.station = from, o.target = to, o.outlier = outlier;
    return o;
}

// Markers, ellipses and lines of the plot of result, read back from the page.
struct DrawnPlot {
    std::vector<double> cx, cy, rx, ry, angle;
    double factor = 0.0;
};

DrawnPlot ReadPlot(const HtmlPage& page) {
    DrawnPlot drawn;
    for (const std::string& v : page.Texts("//g[@class='points']/g/circle/@cx"))
        drawn.cx.push_back(Number(v));
    for (const std::string& v : page.Texts("//g[@class='points']/g/circle/@cy"))
        drawn.cy.push_back(Number(v));
    for (const std::string& v : page.Texts("//g[@class='ellipses']/ellipse/@rx"))
        drawn.rx.push_back(Number(v));
    for (const std::string& v : page.Texts("//g[@class='ellipses']/ellipse/@ry"))
        drawn.ry.push_back(Number(v));
    for (const std::string& v : page.Texts("//g[@class='ellipses']/ellipse/@transform")) {
        drawn.angle.push_back(Number(v.substr(v.find('(') + 1)));
    }
    for (const std::string& word : page.Texts("//g[@class='legend']/text")) {
        const std::size_t times = word.find("\xC3\x97");
        if (times != std::string::npos) drawn.factor = Number(word.substr(times + 2));
    }
    return drawn;
}

TEST(ReportPlot, NorthUpOneScaleAndEllipsesMagnifiedByTheLegendsFactor) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coordinate(0.0, 2000.0), axis(1.0, 30.0),
        azimuth(0.0, 180.0);
    HtmlReportInput input;
    input.adjustment.points.push_back(Point("K", 500, 500, true));
    for (int i = 0; i < 8; ++i) {
        const double a = axis(random);
        input.adjustment.points.push_back(Point(("P" + std::to_string(i)).c_str(),
                                                coordinate(random), coordinate(random), false, a,
                                                a * 0.4, azimuth(random)));
    }
    const HtmlPage page(BuildHtmlReport(input));
    const DrawnPlot drawn = ReadPlot(page);
    ASSERT_EQ(drawn.cx.size(), 8u);
    ASSERT_EQ(drawn.rx.size(), 8u);
    ASSERT_GT(drawn.factor, 0.0);
    const std::vector<AdjustedPoint>& p = input.adjustment.points;
    // Plot units per metre, fitted to east to the right and north up; every point must then sit
    // where that one scale puts it, within the page's rounding to a tenth.
    double along = 0.0, squares = 0.0;
    for (std::size_t i = 1; i < drawn.cx.size(); ++i) {
        const double east = p[i + 1].y - p[1].y, north = p[i + 1].x - p[1].x;
        along += (drawn.cx[i] - drawn.cx[0]) * east - (drawn.cy[i] - drawn.cy[0]) * north;
        squares += east * east + north * north;
    }
    const double scale = along / squares;
    ASSERT_GT(scale, 0.0);
    for (std::size_t i = 1; i < drawn.cx.size(); ++i) {
        EXPECT_NEAR(drawn.cx[i] - drawn.cx[0], (p[i + 1].y - p[1].y) * scale, 0.15)
            << "east to the right";
        EXPECT_NEAR(drawn.cy[i] - drawn.cy[0], -(p[i + 1].x - p[1].x) * scale, 0.15) << "north up";
    }
    for (std::size_t i = 0; i < drawn.rx.size(); ++i) {
        const AdjustedPoint& point = p[i + 1];
        EXPECT_NEAR(drawn.rx[i], point.ellipseMajor / 1000 * drawn.factor * scale, 0.06);
        EXPECT_NEAR(drawn.ry[i], point.ellipseMinor / 1000 * drawn.factor * scale, 0.06);
        // The major axis on the plot points where the azimuth points on the ground (either way).
        const double phi = drawn.angle[i] * M_PI / 180, theta = point.ellipseAzimuth * M_PI / 180;
        const double cross = std::cos(phi) * -std::cos(theta) - std::sin(phi) * std::sin(theta);
        EXPECT_NEAR(cross, 0.0, 0.005) << point.ellipseAzimuth;
    }
}

TEST(ReportPlot, OutlierLinesStandOutAndEachLineIsDrawnOnce) {
    HtmlReportInput input;
    input.adjustment.points = {Point("A", 0, 0, true), Point("B", 0, 300, false, 5, 3, 10),
                               Point("C", 200, 300, false, 5, 3, 10)};
    input.adjustment.observations = {Sight("A", "B", false), Sight("B", "A", false),
                                     Sight("B", "C", false), Sight("C", "B", true),
                                     Sight("A", "C", false)};
    const HtmlPage page(BuildHtmlReport(input));
    EXPECT_EQ(page.Count("//g[@class='sightlines']/line"), 3);
    ASSERT_EQ(page.Count("//g[@class='sightlines']/line[@class='outlier']"), 1);
    const DrawnPlot drawn = ReadPlot(page);
    const double x1 = Number(page.Texts("//line[@class='outlier']/@x1").at(0));
    const double y2 = Number(page.Texts("//line[@class='outlier']/@y2").at(0));
    EXPECT_NEAR(x1, drawn.cx[0], 0.05);  // B
    EXPECT_NEAR(y2, drawn.cy[1], 0.05);  // C
    // Drawn last, over every other line.
    EXPECT_EQ(page.Texts("//g[@class='sightlines']/line[last()]/@class").at(0), "outlier");
}

// Boxes that share area.
bool Overlap(const Box& a, const Box& b) {
    return std::min(a.right, b.right) > std::max(a.left, b.left) + 1e-9 &&
           std::min(a.bottom, b.bottom) > std::max(a.top, b.top) + 1e-9;
}

TEST(LabelPlacement, LabelsKeepClearOfEachOtherAndOfMarkersWhereThereIsRoom) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(40, 960), y(40, 760);
    for (int trial = 0; trial < 20; ++trial) {
        // Points at least 42 apart, labels up to 52 wide: the first spot tried is often taken.
        std::vector<LabelRequest> labels;
        std::vector<Box> markers;
        while (labels.size() < 120) {
            const double px = x(random), py = y(random);
            bool clear = true;
            for (const LabelRequest& l : labels)
                clear = clear && std::hypot(l.x - px, l.y - py) >= 42;
            if (!clear) continue;
            labels.push_back({px, py, 26.0 + labels.size() % 3 * 13, 13, 8});
            markers.push_back({px - 6, py - 6, px + 6, py + 6});
        }
        const std::vector<LabelSpot> spots = PlaceLabels(labels, markers, {}, {0, 0, 1000, 800});
        ASSERT_EQ(spots.size(), labels.size());
        for (std::size_t i = 0; i < spots.size(); ++i) {
            EXPECT_TRUE(spots[i].placed);
            EXPECT_NEAR(spots[i].box.right - spots[i].box.left, labels[i].width, 1e-9);
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(Overlap(spots[i].box, spots[j].box)) << trial;
            for (const Box& marker : markers) EXPECT_FALSE(Overlap(spots[i].box, marker)) << trial;
        }
    }
}

TEST(LabelPlacement, CrowdedNetworksNeverGetTwoLabelsOnEachOtherAndTheRestAreLeftOut) {
    std::mt19937 random(5);
    for (const int count : {50, 500, 5000}) {
        // A winding traverse squeezed into the plot, as a big network is, with names of 2 to 6 ems.
        std::vector<LabelRequest> labels;
        double px = 500, py = 400, heading = 0;
        while (labels.size() < static_cast<std::size_t>(count)) {
            heading += std::uniform_real_distribution<double>(-0.8, 0.8)(random);
            px = std::clamp(px + 9 * std::cos(heading), 70.0, 930.0);
            py = std::clamp(py + 9 * std::sin(heading), 70.0, 730.0);
            labels.push_back({px, py, 13.0 * (2 + labels.size() % 5), 13, 8});
        }
        const Box area{0, 0, 1000, 800};
        const std::vector<LabelSpot> spots = PlaceLabels(labels, {}, {}, area);
        ASSERT_EQ(spots.size(), labels.size());
        std::vector<Box> placed;
        for (const LabelSpot& spot : spots) {
            if (!spot.placed) continue;
            for (const Box& other : placed) ASSERT_FALSE(Overlap(spot.box, other)) << count;
            EXPECT_TRUE(spot.box.left >= 0 && spot.box.top >= 0);
            EXPECT_TRUE(spot.box.right <= 1000 && spot.box.bottom <= 800);
            placed.push_back(spot.box);
        }
        EXPECT_GT(placed.size(), 20u) << count;
        if (count == 5000) {
            EXPECT_LT(placed.size(), spots.size());
        }
    }
}

TEST(LabelPlacement, LabelsMoveOffALineThatCrossesTheFirstSpot) {
    const std::vector<LabelRequest> labels{{100, 100, 40, 13, 8}};
    const std::vector<Segment> lines{{100, 100, 300, 100}};  // due east of the point
    const std::vector<LabelSpot> spots = PlaceLabels(labels, {}, lines, {0, 0, 400, 200});
    EXPECT_TRUE(spots[0].box.bottom <= 100 || spots[0].box.top >= 100 || spots[0].box.right <= 100);
}

// A text becomes markup only through an escape or as a literal of the program.
static_assert(!std::is_convertible_v<std::string, Html> &&
              !std::is_convertible_v<const char*, Html>);
static_assert(!std::is_constructible_v<Html, std::string> &&
              !std::is_constructible_v<Html, const char*>);
static_assert(!std::is_constructible_v<Literal, const char*> &&
              !std::is_constructible_v<Literal, std::string> &&
              !std::is_constructible_v<Literal, char (&)[8]>);

// A result whose every name, text and message is name.
HtmlReportInput NamedEverywhere(const std::string& name) {
    HtmlReportInput input;
    input.fileName = input.importReport = input.checkReport = name;
    input.importMessages = {name};
    input.incomplete = {{IncompleteKind::Zenith, name, 1, name}};
    ValueNotNumber text;
    text.station = text.element = text.attribute = text.text = name;
    input.valuesNotNumbers = {text};
    FieldCheckValue value;
    value.code = CHECK_2C_SPREAD, value.station = value.target = name, value.round = 1;
    input.fieldChecks.values = {value};
    input.fieldChecks.summary = {{CHECK_2C_SPREAD, LimitSource::File, 9, name, 1, 0, value}};
    input.fieldChecks.leftOutRounds = {{name, 2, name, name}};
    AdjustmentResult& adjustment = input.adjustment;
    adjustment.status = AdjustmentStatus::Adjusted;
    adjustment.notes = {name};
    adjustment.points = {Point(name.c_str(), 0, 0, true), Point("P", 100, 90, false, 3, 2, 10)};
    adjustment.observations = {Sight(name.c_str(), "P", true), Sight("P", name.c_str(), false)};
    adjustment.traverses.resize(1);
    adjustment.traverses[0].stations = {name, "P", name};
    adjustment.traverses[0].startOrientation = adjustment.traverses[0].endOrientation = name;
    adjustment.reciprocalChecks.resize(1);
    adjustment.reciprocalChecks[0].from = adjustment.reciprocalChecks[0].to = name;
    return input;
}

TEST(ReportPage, AMarkupNameIsTextWhereverItReachesThePage) {
    const std::string name = "<b>n&\"'</b>";
    HtmlReportInput input = NamedEverywhere(name);
    for (const bool adjusted : {true, false}) {
        if (!adjusted) {
            input.adjustment.status = AdjustmentStatus::Singular;
            input.adjustment.error = name;
            input.sketch.points = {{name, true, 0, 0}, {"P", false, 90, 100}};
        }
        const std::string html = BuildHtmlReport(input);
        EXPECT_EQ(html.find("<b>"), std::string::npos) << adjusted;
        const HtmlPage page(html);
        EXPECT_EQ(page.Count("//b"), 0);
        const std::string named = "[contains(text(), '<b>n&')]";
        EXPECT_EQ(page.Count("//header/p" + named + "|//head/title" + named), 2);
        for (const char* id : kSections) {
            EXPECT_GT(page.Count(std::string("//section[@id='") + id + "']//*" + named), 0) << id;
        }
    }
}

TEST(HtmlText, MarkupEscapedAndBytesThatAreNoTextReplaced) {
    EXPECT_EQ(EscapeHtml("<a href=\"x\">&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(EscapeHtml("\xE5\xAF\xBC" "1\r\n\t"), "\xE5\xAF\xBC" "1\n\t");
    EXPECT_EQ(EscapeHtml(std::string("a\xFF"
                                     "b\x01"
                                     "c\x7F\0",
                                     7)),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_NEAR(TextWidthEm("\xE5\xAF\xBC" "12"), 2.2, 1e-12);
}

TEST(ReportCommand, WritesThePageBesideTheFileOrWhereToldAndSaysSo) {
    TempDir dir;
    const std::string records =
        dir.Write("a<b>&\"c'.xml", ReadFileBytes(Example("connecting-traverse.xml")));
    ProgramRun run = RunTraverse({"report", records});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string page = ReadFileBytes(dir.File("a<b>&\"c'.html"));
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(HtmlPage(page).Texts("//header/p").at(0), records);
    EXPECT_NE(run.out.find("report written to"), std::string::npos);

    run = RunTraverse({"--json", "report", records, "-o", dir.File("out.html"), "--grade", "四等"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "{\"command\":\"report\",\"result\":0,\"import\":0,\"path\":\"" +
                           dir.File("out.html") + "\"}\n");
    EXPECT_NE(ReadFileBytes(dir.File("out.html")).find("Grade 四等 (given)"), std::string::npos);

    EXPECT_EQ(
        RunTraverse({"report", records, Example("traverse.xml"), "-o", dir.File("x.html")}).status,
        2);
    EXPECT_EQ(RunTraverse({"report", records, "--grade", "五级"}).status, 2);
    EXPECT_EQ(RunTraverse({"report", records, "-o", records}).status, 2);
}

TEST(ReportCommand, AFailedImportStillGetsItsPageAnUnreadableFileNone) {
    TempDir dir;
    const std::string records = dir.Write("markup.xml", GbkRecordFile(kMarkupNamedStationBody));
    ProgramRun run = RunTraverse({"report", records});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(ReadFileBytes(dir.File("markup.html")).empty());

    run = RunTraverse({"report", dir.File("missing.xml")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no report written"), std::string::npos) << run.err;
    EXPECT_TRUE(ReadFileBytes(dir.File("missing.html")).empty());

    run = RunTraverse({"--json", "report", records, "-o", dir.File("no/such/dir/page.html")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"result\":4294967295"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace traverse
