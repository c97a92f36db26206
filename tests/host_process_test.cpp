// The library inside a host process that uses libxml2 itself: the host's settings stay as the host
// made them, before and after imports, and the host's own choices never reach a record file.
// `make tsan` runs these under ThreadSanitizer.
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gbk_literal.h"
#include "support/record_file.h"
#include "support/temp_dir.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

const char* const kSecret = "SECRET-4f1c";

// What the host's own loader has served, from any thread.
std::atomic<int> g_hostLoads{0};
xmlExternalEntityLoader g_defaultLoader = nullptr;

xmlParserInputPtr HostLoader(const char* url, const char* id, xmlParserCtxtPtr context) {
    ++g_hostLoads;
    return g_defaultLoader(url, id, context);
}

// A host's usual start-up: its own entity loader, installed after the library has been used.
void InstallHostLoader() {
    g_defaultLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(HostLoader);
}

struct DocFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

// The host's own parse, with entities substituted as hosts that want them do.
std::string HostParseText(const std::string& xml, int options = XML_PARSE_NOENT) {
    std::unique_ptr<xmlDoc, DocFree> document(
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "host.xml", nullptr, options));
    if (!document) return "(no document)";
    std::unique_ptr<xmlChar, void (*)(void*)> content(
        xmlNodeGetContent(xmlDocGetRootElement(document.get())), xmlFree);
    return content ? reinterpret_cast<const char*>(content.get()) : "";
}

class HostProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string secretPath = dir.Write("secret.txt", kSecret);
        // Loaded, this entity would bring in a station of its own.
        const std::string stationPath =
            dir.Write("station.xml", "<测站 点名=\"" + std::string(kSecret) + "\"/>");
        plain = dir.Write("plain.xml", GbkRecordFile(Body("")));
        withEntity =
            dir.Write("entity.xml", GbkRecordFile("<!DOCTYPE 导线观测记录 [<!ENTITY x SYSTEM \"" +
                                                  stationPath + "\">]>\n" + Body("&x;")));
        hostDocument = "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secretPath + "\">]><r>&x;</r>";
    }

    static std::string Body(const std::string& more) {
        return "<导线观测记录><观测值><测站 点名=\"S1\"/>" + more + "</观测值></导线观测记录>";
    }

    // The names of the imported stations (ASCII, the same in GBK), joined by "|".
    static std::string ImportedStations(const std::string& path) {
        CImportXml importer;
        importer.OnButtonExchange(path);
        std::string names;
        for (const auto& station : importer.m_arrStation)
            names += (names.empty() ? "" : "|") + station->m_strName;
        return names;
    }

    TempDir dir;
    std::string plain, withEntity, hostDocument;
};

TEST_F(HostProcessTest, HostLoaderInstalledAfterAnImportNeverServesARecordFile) {
    ASSERT_EQ(ImportedStations(plain), "S1");
    InstallHostLoader();

    g_hostLoads = 0;
    EXPECT_EQ(ImportedStations(withEntity), "S1");  // the entity stands for nothing
    EXPECT_EQ(g_hostLoads, 0);

    // The host's own parse still gets its entity, through its own loader.
    EXPECT_EQ(HostParseText(hostDocument), kSecret);
    EXPECT_GT(g_hostLoads, 0);
    xmlSetExternalEntityLoader(g_defaultLoader);
}

TEST_F(HostProcessTest, ImportsLeaveEveryProcessSettingOfLibxml2AsTheHostMadeIt) {
    InstallHostLoader();
    const unsigned depthBefore = xmlParserMaxDepth;
    xmlStructuredErrorFunc handlerBefore = xmlStructuredError;
    void* handlerContextBefore = xmlStructuredErrorContext;
    const int substituteBefore = xmlSubstituteEntitiesDefaultValue;
    const int blanksBefore = xmlKeepBlanksDefaultValue;

    // A file nested deeper than libxml2's default limit (256) imports...
    std::string deep;
    for (int i = 0; i < 1000; ++i) deep += "<d>";
    for (int i = 0; i < 1000; ++i) deep += "</d>";
    const std::string deepRecord = dir.Write("deep.xml", GbkRecordFile(
        "<导线观测记录>" + deep + "<观测值><测站 点名=\"S2\"/></观测值></导线观测记录>"));
    EXPECT_EQ(ImportedStations(deepRecord), "S2");
    EXPECT_EQ(ImportedStations(withEntity), "S1");

    EXPECT_EQ(xmlGetExternalEntityLoader(), HostLoader);
    EXPECT_EQ(xmlParserMaxDepth, depthBefore);
    EXPECT_EQ(xmlStructuredError, handlerBefore);
    EXPECT_EQ(xmlStructuredErrorContext, handlerContextBefore);
    EXPECT_EQ(xmlSubstituteEntitiesDefaultValue, substituteBefore);
    EXPECT_EQ(xmlKeepBlanksDefaultValue, blanksBefore);
    // ...while the host's own parse of the same nesting still meets libxml2's limit.
    EXPECT_EQ(HostParseText("<r>" + deep + "</r>", 0), "(no document)");
    xmlSetExternalEntityLoader(g_defaultLoader);
}

TEST_F(HostProcessTest, ImportsOnSeveralThreadsWhileTheHostParses) {
    InstallHostLoader();
    constexpr int kThreads = 4;
    constexpr int kRounds = 25;
    std::atomic<int> wrong{0};
    std::atomic<bool> importing{true};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                if (ImportedStations(withEntity) != "S1" || ImportedStations(plain) != "S1")
                    ++wrong;
            }
        });
    }
    std::thread watcher([&] {
        for (std::thread& thread : threads) thread.join();
        importing = false;
    });
    int hostParses = 0;
    int hostWrong = 0;
    do {
        if (HostParseText(hostDocument) != kSecret) ++hostWrong;
        ++hostParses;
    } while (importing);
    watcher.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(hostWrong, 0) << "of " << hostParses;
    EXPECT_EQ(xmlGetExternalEntityLoader(), HostLoader);
    xmlSetExternalEntityLoader(g_defaultLoader);
}

}  // namespace
}  // namespace traverse
