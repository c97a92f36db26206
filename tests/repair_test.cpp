// The repair of names that start with a character XML forbids: the mends written into the file,
// byte for byte, the failure table, the loop's guards, and a property over random record files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "import/repair_internal.h"
#include "support/survey_round.h"
#include "support/message_capture.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/repair.h"
#include "traverse/xml_dom.h"

namespace traverse {
namespace {

const std::string kGbkDecl = "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n";

bool Loads(const std::string& bytes) { return XmlDocument::Create().loadXML(bytes); }

// Writes bytes, repairs the file, and hands back what the file holds afterwards.
struct Repaired {
    RepairResult result;
    int legacyResult = -1;
    std::string bytes;
};

Repaired RepairBytes(const std::string& bytes) {
    TempDir dir;
    Repaired repaired;
    repaired.result = RepairXmlFile(dir.Write("a.xml", bytes));
    repaired.bytes = ReadFileBytes(dir.File("a.xml"));
    dir.Write("b.xml", bytes);
    CImportXml importer;
    repaired.legacyResult = importer.RepairXML(dir.File("b.xml"));
    EXPECT_EQ(ReadFileBytes(dir.File("b.xml")), repaired.bytes)
        << "RepairXML and RepairXmlFile differ";
    return repaired;
}

// ---- the repair's defining cases ----

TEST(RepairXml, WellFormedFileIsLeftAsItIs) {
    TempDir dir;
    const std::string bytes = kGbkDecl + Gbk("<记录><测站 点名=\"东山\"/></记录>\r\n");
    const std::string path = dir.Write("good.xml", bytes);
    chmod(path.c_str(), 0444);  // it never needs writing
    const RepairResult result = RepairXmlFile(path);
    EXPECT_EQ(result.status, RepairStatus::Loaded);
    EXPECT_TRUE(result.repairs.empty());
    EXPECT_EQ(result.error.errorCode, 0u);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    CImportXml importer;
    EXPECT_EQ(importer.RepairXML(path), 1);
}

TEST(RepairXml, DigitsAfterTheLessThanBecomeSt) {
    const std::string before = kGbkDecl + Gbk("<记录>\r\n  <12 a=\"1\" b=\"2\"/>\r\n</记录>\r\n");
    const Repaired repaired = RepairBytes(before);
    EXPECT_EQ(repaired.legacyResult, 1);
    EXPECT_EQ(repaired.result.status, RepairStatus::Loaded);
    ASSERT_EQ(repaired.result.repairs.size(), 1u);
    EXPECT_EQ(repaired.result.repairs[0].line, 3);
    EXPECT_EQ(repaired.result.repairs[0].column, 4);
    EXPECT_EQ(repaired.result.repairs[0].written, "st");
    std::string expected = before;
    const std::size_t line = before.find("  <12");
    expected[line + 3] = 's';  // the fourth and fifth bytes of the line
    expected[line + 4] = 't';
    EXPECT_EQ(repaired.bytes, expected);
}

TEST(RepairXml, ChineseTextBeforeTheBadNameStaysUnchanged) {
    for (bool gbk : {true, false}) {
        const std::string body = "<记录>\n\t测站 东山 <1a/>\n<测站 点名=\"东山\" 2号=\"x\"/></记录>";
        const std::string before = gbk ? kGbkDecl + Gbk(body) : body;
        const Repaired repaired = RepairBytes(before);
        EXPECT_EQ(repaired.legacyResult, 1) << gbk;
        const std::string mended = "<记录>\n\t测站 东山 <st/>\n<测站 点名=\"东山\" s号=\"x\"/></记录>";
        EXPECT_EQ(repaired.bytes, gbk ? kGbkDecl + Gbk(mended) : mended) << gbk;
        ASSERT_EQ(repaired.result.repairs.size(), 2u);
        EXPECT_EQ(repaired.result.repairs[0].line, gbk ? 3 : 2);
        EXPECT_EQ(repaired.result.repairs[0].column, 9);
        EXPECT_EQ(repaired.result.repairs[1].column, 13);
    }
}

TEST(RepairXml, BadNameOnTheFirstLine) {
    const Repaired repaired = RepairBytes("<12 a=\"1\"/>\n");
    EXPECT_EQ(repaired.legacyResult, 1);
    EXPECT_EQ(repaired.bytes, "<st a=\"1\"/>\n");
    // With a byte-order mark before it, which is no character.
    EXPECT_EQ(RepairBytes("\xEF\xBB\xBF<12 a=\"1\"/>").bytes, "\xEF\xBB\xBF<st a=\"1\"/>");
}

TEST(RepairXml, TwoBadNamesTakeTwoWrites) {
    const std::string before = "<r>\r\n<1a/>\r\n<b 9c=\"1\"/>\r\n</r>";
    const Repaired repaired = RepairBytes(before);
    EXPECT_EQ(repaired.legacyResult, 1);
    EXPECT_EQ(repaired.result.repairs.size(), 2u);
    EXPECT_EQ(repaired.bytes, "<r>\r\n<st/>\r\n<b st=\"1\"/>\r\n</r>");
}

TEST(RepairXml, StartAndEndTagsOfOneElementAreMendedAlike) {
    const Repaired repaired = RepairBytes(Gbk("<r><1站 a=\"1\">x</1站></r>"));
    EXPECT_EQ(repaired.legacyResult, 1);
    EXPECT_EQ(repaired.bytes, Gbk("<r><s站 a=\"1\">x</s站></r>"));
}

TEST(RepairXml, OtherErrorsLeaveTheFileUnchanged) {
    for (const std::string& before : {std::string("<r>\n<a>\n</r>"), std::string("<r><1a></r>"),
                                      std::string("<r a=\"1\" a=\"2\"/>"), std::string("")}) {
        const Repaired repaired = RepairBytes(before);
        EXPECT_EQ(repaired.legacyResult, 0) << before;
        EXPECT_EQ(repaired.result.status, RepairStatus::OtherError) << before;
        EXPECT_NE(repaired.result.error.errorCode, 0xC00CE504u);
    }
    // "<1a>" is mended before the mismatch shows: that write stays.
    EXPECT_EQ(RepairBytes("<r><1a></r>").bytes, "<r><st></r>");
    EXPECT_EQ(RepairBytes("<r>\n<a>\n</r>").bytes, "<r>\n<a>\n</r>");
}

TEST(RepairXml, MissingPathCreatesNoFile) {
    TempDir dir;
    const RepairResult result = RepairXmlFile(dir.File("missing.xml"));
    EXPECT_EQ(result.status, RepairStatus::OtherError);
    EXPECT_EQ(result.error.errorCode, 0x800C0006u);
    CImportXml importer;
    EXPECT_EQ(importer.RepairXML(dir.File("missing.xml")), 0);
    struct stat status {};
    EXPECT_NE(stat(dir.File("missing.xml").c_str(), &status), 0);
}

TEST(RepairXml, ReadOnlyFileIsNotChanged) {
    TempDir dir;
    const std::string bytes = "<r><1a/></r>";
    const std::string path = dir.Write("ro.xml", bytes);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const RepairResult result = RepairXmlFile(path);
    EXPECT_EQ(result.status, RepairStatus::CannotOpen);
    EXPECT_TRUE(result.repairs.empty());
    CImportXml importer;
    EXPECT_EQ(importer.RepairXML(path), 0);
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(RepairXml, TouchesNoMemberOfTheImporter) {
    TempDir dir;
    const std::string path = dir.Write("a.xml", "<r><1a/></r>");
    CImportXml importer;
    importer.m_strText = "report";
    importer.m_strError = "error";
    importer.m_arrKnownPoint.emplace_back();
    EXPECT_EQ(importer.RepairXML(path), 1);
    EXPECT_EQ(importer.m_strText, "report");
    EXPECT_EQ(importer.m_strError, "error");
    EXPECT_EQ(importer.m_arrKnownPoint.size(), 1u);
}

TEST(RepairXml, FileAtAGbkPath) {
    TempDir dir;
    dir.Write("测站.xml", "<r><1a/></r>");
    CImportXml importer;
    EXPECT_EQ(importer.RepairXML(Gbk(dir.File("测站.xml"))), 1);
    EXPECT_EQ(ReadFileBytes(dir.File("测站.xml")), "<r><st/></r>");
}

// ---- whole characters only; the file keeps its length ----

TEST(RepairWholeCharacters, SingleByteBeforeABlankOrPunctuationBecomesS) {
    EXPECT_EQ(RepairBytes("<r><1 x=\"1\"/></r>").bytes, "<r><s x=\"1\"/></r>");
    EXPECT_EQ(RepairBytes("<r><a 1=\"1\"/></r>").bytes, "<r><a s=\"1\"/></r>");
    EXPECT_EQ(RepairBytes("<r><1/></r>").bytes, "<r><s/></r>");
    EXPECT_EQ(RepairBytes("<r><1></1></r>").bytes, "<r><s></s></r>");
    EXPECT_EQ(RepairBytes("<r><a 1\n=\"1\"/></r>").bytes, "<r><a s\n=\"1\"/></r>");
    EXPECT_EQ(RepairBytes("<r><a 1\r\n=\"1\"/></r>").bytes, "<r><a s\r\n=\"1\"/></r>");
}

TEST(RepairWholeCharacters, SingleByteBeforeAMultiByteCharacterBecomesS) {
    EXPECT_EQ(RepairBytes(kGbkDecl + Gbk("<r><1测站/></r>")).bytes, kGbkDecl + Gbk("<r><s测站/></r>"));
    EXPECT_EQ(RepairBytes("<r><1测站/></r>").bytes, "<r><s测站/></r>");
}

TEST(RepairWholeCharacters, MultiByteCharacterBecomesStPaddedToItsLength) {
    // "—" cannot start a name: two bytes in GBK, three in UTF-8.
    EXPECT_EQ(RepairBytes(kGbkDecl + Gbk("<r><—站/></r>")).bytes, kGbkDecl + Gbk("<r><st站/></r>"));
    EXPECT_EQ(RepairBytes("<r><—站/></r>").bytes, "<r><st_站/></r>");
    // A four-byte GB18030 character (U+3400) before the bad name is one character.
    const std::string gb18030 =
        "<?xml version=\"1.0\" encoding=\"GB18030\"?>\n<r>\x81\x39\xEE\x39<a 1b=\"x\"/></r>";
    const Repaired repaired = RepairBytes(gb18030);
    EXPECT_EQ(repaired.legacyResult, 1);
    EXPECT_EQ(repaired.bytes,
              "<?xml version=\"1.0\" encoding=\"GB18030\"?>\n<r>\x81\x39\xEE\x39<a st=\"x\"/></r>");
}

TEST(RepairWholeCharacters, OtherEncodingsCountTheirOwnCharacters) {
    const std::string latin1 =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xE9\xE9<1a/></r>";
    EXPECT_EQ(RepairBytes(latin1).bytes,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\xE9\xE9<st/></r>");
    // Big5 "測站": two double-byte characters, each one column.
    const std::string big5 =
        "<?xml version=\"1.0\" encoding=\"Big5\"?>\n<r>\xB4\xFA\xAF\xB8<a 1b=\"x\"/></r>";
    EXPECT_EQ(RepairBytes(big5).bytes,
              "<?xml version=\"1.0\" encoding=\"Big5\"?>\n<r>\xB4\xFA\xAF\xB8<a st=\"x\"/></r>");
}

TEST(RepairWholeCharacters, AtTheEndOfTheFileTheFileKeepsItsLength) {
    const Repaired repaired = RepairBytes("<r><1");
    EXPECT_EQ(repaired.legacyResult, 0);
    EXPECT_EQ(repaired.bytes, "<r><s");
    EXPECT_EQ(repaired.result.status, RepairStatus::OtherError);
    ASSERT_EQ(repaired.result.repairs.size(), 1u);
    EXPECT_EQ(repaired.result.repairs[0].written, "s");
}

TEST(RepairWholeCharacters, LinesEndedByCarriageReturnsAlone) {
    EXPECT_EQ(RepairBytes("<r>\r\r<a/>\r<1b/></r>").bytes, "<r>\r\r<a/>\r<st/></r>");
}

// ---- no endless loop ----

TEST(RepairLoop, SamePositionTwiceEndsTheRepair) {
    TempDir dir;
    const std::string path = dir.Write("a.xml", "<r><12/></r>");
    int loads = 0;
    const RepairResult result =
        RepairXmlFileWith(path, [&](const std::string&, XmlParseError& error) {
            ++loads;
            error.errorCode = 0xC00CE504u;
            error.line = 1;
            error.linepos = 5;
            return false;
        });
    EXPECT_EQ(result.status, RepairStatus::Stuck);
    EXPECT_EQ(loads, 2);
    ASSERT_EQ(result.repairs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), "<r><st/></r>");
}

TEST(RepairLoop, AWriteThatChangesNothingEndsTheRepair) {
    TempDir dir;
    const std::string path = dir.Write("a.xml", "<r><st/></r>\n");
    for (long column : {5L, 13L, 40L}) {  // "st" already there; the line end; past the line
        const RepairResult result =
            RepairXmlFileWith(path, [&](const std::string&, XmlParseError& error) {
                error.errorCode = 0xC00CE504u;
                error.line = 1;
                error.linepos = column;
                return false;
            });
        EXPECT_EQ(result.status, RepairStatus::Stuck) << column;
        EXPECT_TRUE(result.repairs.empty()) << column;
    }
    const RepairResult pastEnd =
        RepairXmlFileWith(path, [&](const std::string&, XmlParseError& error) {
            error.errorCode = 0xC00CE504u;
            error.line = 7;
            error.linepos = 1;
            return false;
        });
    EXPECT_EQ(pastEnd.status, RepairStatus::Stuck);
    EXPECT_EQ(ReadFileBytes(path), "<r><st/></r>\n");
}

TEST(RepairLoop, FailuresOfTheLoadStepAreFailures) {
    TempDir dir;
    const std::string path = dir.Write("a.xml", "<r/>");
    MessageCapture messages;
    const RepairResult result = RepairXmlFileWith(
        path, [](const std::string&, XmlParseError&) -> bool { throw _com_error(E_FAIL); });
    EXPECT_EQ(result.status, RepairStatus::Failed);
    EXPECT_TRUE(messages.Messages().empty());
}

// ---- property: injected bad names are mended, and only they ----

// A record file with Chinese names, random in size and values.
std::string RandomRecordBody(std::mt19937& random) {
    static const char* const kPoints[] = {"北峰", "东山", "西岭", "南湾", "导1", "水塔", "电杆", "K7"};
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto number = [&] {
        return std::to_string(pick(360)) + "." + std::to_string(1000 + pick(9000));
    };
    std::string body = "<导线观测记录>\n  <检查限差>\n    <水平角><一测回2C较差 限差=\"13\"/>"
                       "<半测回归零差 限差=\"8\"/></水平角>\n  </检查限差>\n  <起算点>\n";
    const int points = 1 + pick(4);
    for (int i = 0; i < points; ++i) {
        body += std::string("    <") + kPoints[i] + " x=\"" + number() + "\" y=\"" + number() +
                "\" h=\"" + number() + "\"/>\n";
    }
    body += "  </起算点>\n  <观测值>\n";
    const int stations = 1 + pick(3);
    for (int s = 0; s < stations; ++s) {
        body += std::string("    <测站 点名=\"") + kPoints[pick(8)] + "\" 仪器高=\"1.452\">\n"
                "      <水平角>\n";
        const int rounds = 1 + pick(2);
        for (int r = 0; r < rounds; ++r) {
            body += "        <测回>";
            const int targets = 2 + pick(3);
            for (int t = 0; t < targets; ++t) {
                body += std::string("<") + kPoints[(s + t) % 8] + " 盘左=\"" + number() +
                        "\" 盘右=\"" + number() + "\"/>" + (pick(2) ? "\r\n          " : " ");
            }
            body += "</测回>\n";
        }
        body += "      </水平角>\n    </测站>\n";
    }
    body += "  </观测值>\n</导线观测记录>\n";
    return body;
}

std::size_t FirstCharLength(const std::string& bytes, std::size_t pos, bool gbk) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) return 1;
    if (gbk) return 2;
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

// Offsets of the first characters of empty elements' names and of attribute names.
std::vector<std::size_t> NameSites(const std::string& bytes) {
    std::vector<std::size_t> sites;
    for (std::size_t lt = bytes.find('<'); lt != std::string::npos; lt = bytes.find('<', lt + 1)) {
        const char next = bytes[lt + 1];
        if (next == '/' || next == '?' || next == '!') continue;
        const std::size_t gt = bytes.find('>', lt);
        if (bytes[gt - 1] == '/') sites.push_back(lt + 1);
        bool quoted = false;
        for (std::size_t i = lt + 1; i + 1 < gt; ++i) {
            if (bytes[i] == '"') quoted = !quoted;
            if (!quoted && bytes[i] == ' ' && bytes[i + 1] != ' ' && bytes[i + 1] != '/') {
                sites.push_back(i + 1);
            }
        }
    }
    return sites;
}

// Bad first characters of the given byte length for the given encoding.
std::vector<std::string> BadStarts(std::size_t length, bool gbk) {
    if (length == 1) return {"1", "9", "-", "."};
    if (length == 2) return gbk ? std::vector<std::string>{"12", "3a", "-x", Gbk("—"), Gbk("·")}
                                : std::vector<std::string>{"12", "-x", "\xC2\xB7"};
    return {"\xE2\x80\x94", "1ab", "1\xC3\xA9", "---"};
}

// What the repair writes over a bad first character at pos.
std::string ExpectedMend(const std::string& bytes, std::size_t pos, bool gbk) {
    const std::size_t length = FirstCharLength(bytes, pos, gbk);
    if (length > 1) return "st" + std::string(length - 2, '_');
    const char next = bytes[pos + 1];
    const bool nameChar = (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') ||
                          (next >= '0' && next <= '9') || next == '_' || next == '-' || next == '.';
    return nameChar ? "st" : "s";
}

TEST(RepairProperty, InjectedBadNamesAreMendedAndNothingElse) {
    std::mt19937 random(20240611);
    int checked = 0;
    for (int sample = 0; sample < 300 && checked < 120; ++sample) {
        const bool gbk = sample % 2 == 0;
        const std::string body = RandomRecordBody(random);
        const std::string original =
            gbk ? kGbkDecl + Gbk(body) : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body;
        ASSERT_TRUE(Loads(original));

        std::vector<std::size_t> sites = NameSites(original);
        std::shuffle(sites.begin(), sites.end(), random);
        const std::size_t count = 1 + random() % 3;
        std::string injected = original;
        std::vector<std::pair<std::size_t, std::size_t>> spans;  // offset, length
        for (std::size_t k = 0; k < count && k < sites.size(); ++k) {
            const std::size_t site = sites[k];
            const std::size_t length = FirstCharLength(original, site, gbk);
            const std::vector<std::string> starts = BadStarts(length, gbk);
            const std::string bad = starts[random() % starts.size()];
            injected.replace(site, length, bad);
            spans.emplace_back(site, length);
        }
        // The repair's writes, done here by hand: the injected bytes with each mend over them.
        std::string expected = injected;
        for (auto& span : spans) {
            const std::string mend = ExpectedMend(injected, span.first, gbk);
            expected.replace(span.first, mend.size(), mend);
            span.second = std::max(span.second, mend.size());
        }
        // Mends that collide (two attributes both become "s") make files that cannot load.
        if (!Loads(expected)) continue;
        ++checked;

        ASSERT_FALSE(Loads(injected));
        const Repaired repaired = RepairBytes(injected);
        ASSERT_EQ(repaired.legacyResult, 1) << "sample " << sample;
        EXPECT_EQ(repaired.result.repairs.size(), spans.size()) << "sample " << sample;
        ASSERT_EQ(repaired.bytes.size(), original.size());
        EXPECT_EQ(repaired.bytes, expected) << "sample " << sample;
        EXPECT_TRUE(Loads(repaired.bytes));
        // Outside the injected names the file is the original.
        for (std::size_t i = 0; i < original.size(); ++i) {
            bool inside = false;
            for (const auto& span : spans)
                inside = inside || (i >= span.first && i < span.first + span.second);
            if (!inside) {
                ASSERT_EQ(repaired.bytes[i], original[i]) << "sample " << sample << " byte " << i;
            }
        }
    }
    EXPECT_GE(checked, 100);
}

}  // namespace
}  // namespace traverse

namespace traverse {
namespace {

// ---- names the repair made equal ----

TEST(RepairCollisions, DifferentNamesMadeOneAndMendedNamesThatExistedAreTold) {
    TempDir dir;
    // 12 and 13 both become st, which the file already holds; 1 and 1 stay one name; ①测1 (UTF-8,
    // a three-byte first character) becomes st_测1 and collides with nothing.
    const std::string path = dir.Write("r.xml",
                                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n"
                                       "<st/>\n<12/>\n<1/><13/>\n<1/>\n<\xE2\x91\xA0测1/>\n</r>\n");
    const RepairResult result = RepairXmlFile(path);
    ASSERT_EQ(result.status, RepairStatus::Loaded);
    ASSERT_EQ(result.repairs.size(), 5u);
    EXPECT_EQ(result.repairs[0].before, "12");
    EXPECT_EQ(result.repairs[0].after, "st");
    EXPECT_EQ(result.repairs[4].before, Gbk("\xE2\x91\xA0测1"));
    EXPECT_EQ(result.repairs[4].after, "st_" + Gbk("测1"));
    const std::vector<RepairCollision> collisions = FindRepairCollisions(path, result);
    ASSERT_EQ(collisions.size(), 1u);
    EXPECT_EQ(collisions[0].mended, "st");
    ASSERT_EQ(collisions[0].repaired.size(), 2u);
    EXPECT_EQ(collisions[0].repaired[0].name, "12");
    EXPECT_EQ(collisions[0].repaired[0].lines, std::vector<long>{4});
    EXPECT_EQ(collisions[0].repaired[1].name, "13");
    EXPECT_EQ(collisions[0].repaired[1].lines, std::vector<long>{5});
    EXPECT_EQ(collisions[0].existing, std::vector<long>{3});
}

TEST(RepairCollisions, NoneWhenEveryNameStaysApart) {
    TempDir dir;
    const std::string path =
        dir.Write("r.xml", kGbkDecl + Gbk("<记录>\n<1 a=\"1\"/><2/>\n<1/>\n</记录>\n"));
    const RepairResult result = RepairXmlFile(path);
    ASSERT_EQ(result.status, RepairStatus::Loaded);
    // 1 becomes s twice (one name), 2 becomes s too: that one is a collision.
    const std::vector<RepairCollision> collisions = FindRepairCollisions(path, result);
    ASSERT_EQ(collisions.size(), 1u);
    EXPECT_EQ(collisions[0].repaired[0].lines, (std::vector<long>{3, 4}));
    const std::string apart =
        dir.Write("a.xml", kGbkDecl + Gbk("<记录>\n<1 a=\"1\"/><测/>\n<1/>\n</记录>\n"));
    EXPECT_TRUE(FindRepairCollisions(apart, RepairXmlFile(apart)).empty());
    EXPECT_TRUE(FindRepairCollisions(dir.File("missing.xml"), RepairResult()).empty());
}

}  // namespace
}  // namespace traverse

namespace traverse {
namespace {

// ---- the repair in one pass gives what the loop of one name per load gives ----

// A record file of elements elements, some lines holding several, with what a repair must read
// past mixed in (comments and CDATA holding bad names, entities, a document type declaration,
// bad characters in text) and, in half of the files, a fault that stops it (some only once mended).
std::string FileWithHazards(std::mt19937& random, int elements, bool gbk) {
    static const char* const kNames[] = {"北峰", "东山", "导1", "K7", "水塔", "a-b", "测站"};
    static const char* const kPassed[] = {"<!-- <1a/> -->", "<![CDATA[<2b>]]>", "<?pi <3c?>",
                                          "&amp;", "\xE2\x91\xA0—", "&e;"};
    static const char* const kStops[] = {"<a 1=\"x\" 2=\"y\"/>", "<1m>x</2m>", "<a b=1/>", "< b/>",
                                         "<r4 x=\"<\"/>", "&1;", "<-/>"};
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const bool doctype = pick(4) == 0;
    std::string body = doctype ? "<!DOCTYPE 记录 [<!ENTITY e \"<1d/>\">]>\n<记录>\n" : "<记录>\n";
    const int stop = pick(2) == 0 ? pick(elements) : -1;
    for (int i = 0; i < elements; ++i) {
        body += std::string("<") + kNames[pick(7)] + " 盘左=\"1.2\" 盘右=\"3.4\"/>";
        if (pick(10) == 0) body += kPassed[pick(doctype ? 6 : 5)];
        if (i == stop) body += kStops[pick(7)];
        body += pick(3) == 0 ? " " : "\r\n";
    }
    body += "</记录>\n";
    return gbk ? kGbkDecl + Gbk(body) : body;
}

// bytes with count of its names given a bad first character.
std::string WithBadNames(std::mt19937& random, const std::string& bytes, std::size_t count,
                         bool gbk) {
    std::vector<std::size_t> sites = NameSites(bytes);
    std::shuffle(sites.begin(), sites.end(), random);
    sites.resize(std::min(count, sites.size()));
    std::sort(sites.rbegin(), sites.rend());  // from the back, so that offsets hold
    std::string injected = bytes;
    for (const std::size_t site : sites) {
        const std::vector<std::string> starts = BadStarts(FirstCharLength(bytes, site, gbk), gbk);
        injected.replace(site, FirstCharLength(bytes, site, gbk), starts[random() % starts.size()]);
    }
    return injected;
}

void ExpectSameRepair(const std::string& bytes, const std::string& label) {
    TempDir dir;
    const RepairResult onePass = RepairXmlFile(dir.Write("one.xml", bytes));
    const RepairResult loop = RepairXmlFileWith(dir.Write("loop.xml", bytes), LoadRecordFile);
    ASSERT_EQ(ReadFileBytes(dir.File("one.xml")), ReadFileBytes(dir.File("loop.xml"))) << label;
    EXPECT_EQ(onePass.status, loop.status) << label;
    EXPECT_EQ(onePass.error.errorCode, loop.error.errorCode) << label;
    EXPECT_EQ(onePass.error.line, loop.error.line) << label;
    EXPECT_EQ(onePass.error.linepos, loop.error.linepos) << label;
    ASSERT_EQ(onePass.repairs.size(), loop.repairs.size()) << label;
    for (std::size_t i = 0; i < loop.repairs.size(); ++i) {
        const RepairedName& a = onePass.repairs[i];
        const RepairedName& b = loop.repairs[i];
        EXPECT_TRUE(a.line == b.line && a.column == b.column && a.written == b.written &&
                    a.before == b.before && a.after == b.after)
            << label << " repair " << i;
    }
}

TEST(RepairOnePass, GivesWhatTheLoopGivesFromOneToAThousandBadNames) {
    std::mt19937 random(20261208);
    for (const std::size_t count : {1u, 2u, 3u, 7u, 30u, 100u, 300u, 1000u}) {
        for (int sample = 0; sample < (count >= 300 ? 2 : 6); ++sample) {
            const bool gbk = sample % 2 == 0;
            const std::string file = FileWithHazards(random, static_cast<int>(count) * 2 + 20, gbk);
            const std::string label =
                std::to_string(count) + " names, sample " + std::to_string(sample);
            ExpectSameRepair(WithBadNames(random, file, count, gbk), label);
        }
    }
}

TEST(RepairOnePass, GivesWhatTheLoopGivesWhereTheParserStopsEarlyOrLate) {
    const std::string nul("\0", 1);
    const std::string cases[] = {
        "<1r>\n<2a/>" + nul + "<3b/></1r>",            // the parser takes NUL for the end
        "<r><1a/><2b/><3c/></r" ,                        // cut: the fault is the end of the file
        "<r><1a/><2b/>\n<3c/>\xFF\xFE<4d/></r>",       // bytes that do not decode
        kGbkDecl + Gbk("<记录><1测/><—站/>") + "\x81<2b/>" + Gbk("</记录>"),
        "<r><1a x='1'/><a 2='1' 3='2'/><4b/></r>",       // a duplicate made by the mends
    };
    for (const std::string& bytes : cases) ExpectSameRepair(bytes, bytes);
}

}  // namespace
}  // namespace traverse
