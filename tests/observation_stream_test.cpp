// The observation section read while the file is parsed against the same section read from the
// whole tree, on random sections of every shape the readers meet.
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/reader_digests.h"
#include "support/temp_dir.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

class SectionWriter {
public:
    explicit SectionWriter(unsigned seed) : m_random(seed) {}

    std::string Body() {
        std::string body = "<导线观测记录>";
        if (Chance(0.1)) body += "<起算点><观测值/></起算点>";  // found first: nothing streamed
        body += "<观测值>\n";
        for (int s = Count(4); s > 0; --s) body += Station();
        body += "</观测值>";
        if (Chance(0.2)) body += "<观测值>" + Station() + "</观测值>";
        return body + "</导线观测记录>";
    }

private:
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_random); }
    int Count(int most) { return std::uniform_int_distribution<int>(0, most)(m_random); }
    template <std::size_t N>
    const char* Pick(const char* const (&items)[N]) {
        return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(m_random)];
    }

    std::string Value() {
        static const char* const kValues[] = {"12.3456", "abc", "", "1e3", "１２", "-0.5",
                                              " 7 ", "0.0010", "359.5959", "1.5 abc  2"};
        return Pick(kValues);
    }
    // Now and then what the stream does not read: the tree reader must read the file then.
    std::string Oddity() {
        if (!Chance(0.03)) return "";
        static const char* const kOdd[] = {"<!--c-->", "text", "<![CDATA[x]]>", "&lt;",
                                           "<检查限差/>", "<?pi x?>"};
        return Pick(kOdd);
    }
    // Up to four attributes, none twice (that is no XML).
    std::string Attributes(const std::vector<std::string>& names) {
        std::string out;
        std::set<std::string> used;
        for (int a = Count(4); a > 0; --a) {
            const std::string& name = names[static_cast<std::size_t>(
                Count(static_cast<int>(names.size()) - 1))];
            if (used.insert(name).second) out += " " + name + "=\"" + Value() + "\"";
        }
        return out;
    }
    std::string Record() {
        static const char* const kNames[] = {"A", "导1", "B点", "A"};
        std::string name = Pick(kNames);
        std::string record = "<" + name + Attributes({"盘左", "盘右", "值", "备注", "x盘左"});
        if (!Chance(0.1)) return record + "/>" + Oddity() + "\n";
        return record + "><子 盘左=\"9\"/></" + name + ">\n";  // the readers look no deeper
    }
    std::string Set(const std::string& name) {
        std::string set = "<" + name + ">";
        for (int r = Count(3); r > 0; --r) {
            if (name == "目标高") {
                set += Record();
                continue;
            }
            set += "<测回>" + Oddity();
            for (int k = Count(3); k > 0; --k) set += Record();
            set += "</测回>\n";
        }
        return set + "</" + name + ">\n";
    }
    std::string Station() {
        static const char* const kSets[] = {"水平角", "天顶距", "斜距", "目标高", "备注"};
        std::string station =
            "<测站" + Attributes({"点名", "仪器高", "气压", "温度", "加常数", "乘常数", "备注"});
        station += ">\n";
        for (int s = Count(5); s > 0; --s) station += Set(Pick(kSets)) + Oddity();
        return station + "</测站>\n";
    }

    std::mt19937 m_random;
};

TEST(ObservationStream, ReadsWhatTheTreeReaderReads) {
    TempDir dir;
    MessageCapture quiet;
    int streamed = 0;
    int fromTree = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const std::string body = SectionWriter(seed).Body();
        const std::string path = dir.Write("f.xml", GbkRecordFile(body));

        const ReaderDigests digests = ReadBothWays(path);
        ASSERT_TRUE(digests.loaded) << body;
        const std::string& expected = digests.tree;
        if (digests.complete) {
            ++streamed;
            EXPECT_EQ(digests.streamed, expected) << "seed " << seed;
        }
        fromTree += digests.abandoned ? 1 : 0;

        // The importer, streaming or not, stores what the tree reader stores.
        CImportXml importer;
        importer.OnButtonExchange(path);
        if (expected != "failed") {
            EXPECT_EQ(RecordsDigest(importer.m_arrStation, importer.m_arrValueNotNumber), expected)
                << "seed " << seed << "\n" << body;
        }
    }
    EXPECT_GT(streamed, 200);
    EXPECT_GT(fromTree, 20);
}

}  // namespace
}  // namespace traverse
