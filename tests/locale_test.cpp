// A host in a comma-decimal locale gets the same report and the same adjustment file, byte for
// byte.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/c_number.h"
#include "support/comma_locale.h"
#include "support/message_capture.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

const std::string kExample = std::string(TRAVERSE_EXAMPLES_DIR) + "/2c-over-limit.xml";

struct Outcome {
    std::uint32_t import = 0;
    std::string report;
    std::string file;
};

Outcome ImportCheckExport(const TempDir& dir, const std::string& name) {
    MessageCapture messages;
    CImportXml importer;
    Outcome outcome;
    outcome.import = importer.OnButtonExchange(kExample);
    importer.OnButtonCheck();
    outcome.report = importer.m_strText;
    importer.OnButtonTonbq(dir.File(name));
    outcome.file = ReadFileBytes(dir.File(name));
    return outcome;
}

// Switches the process to the comma locale for the lifetime of the object.
class CommaLocale {
public:
    CommaLocale() {
        if (CommaLocaleDir().empty()) return;
        setenv("LOCPATH", CommaLocaleDir().c_str(), 1);
        m_active = std::setlocale(LC_ALL, kCommaLocaleName) != nullptr;
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    bool Active() const { return m_active; }

private:
    bool m_active = false;
};

TEST(Locale, CommaLocaleChangesNothingTheLibraryWrites) {
    TempDir dir;
    const Outcome plain = ImportCheckExport(dir, "plain.txt");
    CommaLocale comma;
    ASSERT_TRUE(comma.Active()) << "the comma locale could not be compiled";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5");  // the locale is in force

    const Outcome local = ImportCheckExport(dir, "comma.txt");
    EXPECT_EQ(local.import, plain.import);
    EXPECT_EQ(local.report, plain.report);
    EXPECT_EQ(local.file, plain.file);
    EXPECT_EQ(FormatText("%.3f", 2.5), "2.500");
    EXPECT_EQ(AToF("1.25"), 1.25);
    EXPECT_EQ(AToF("1,25"), 1.0);
}

TEST(Locale, ProgramOutputIsTheSameInACommaLocale) {
    ASSERT_FALSE(CommaLocaleDir().empty());
    const ProgramRun plain = RunTraverse({"--json", "check", kExample}, {"LC_ALL=C"});
    const ProgramRun comma = RunTraverse({"--json", "check", kExample},
                                         {std::string("LC_ALL=") + kCommaLocaleName,
                                          "LOCPATH=" + CommaLocaleDir()});
    EXPECT_EQ(plain.status, comma.status);
    EXPECT_EQ(plain.out, comma.out);
    EXPECT_NE(plain.out, "");
}

}  // namespace
}  // namespace traverse
