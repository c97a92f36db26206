#include "command_line.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "cli_texts.h"
#include "output_plan.h"
#include "text_for_people.h"
#include "traverse/code_page.h"
#include "traverse/language.h"
#include "traverse/result_files.h"
#include "traverse/version.h"

namespace traverse_cli {
namespace {

constexpr char kDescription[] =
    "Pre-processes the field records of a survey traverse (XML record files with GBK names).\n"
    "Reports go to stdout and messages to stderr, in UTF-8. Exit status: 0 when every command\n"
    "succeeded, 1 when one did not, 2 for a usage error.";

// A mistake in the words: said on stderr with the way to help.
ParseOutcome UsageError(const std::string& reason) {
    std::fprintf(stderr, text::kUsageError, reason.c_str());
    return {false, 2};
}

struct Subcommand {
    const char* name;
    Action action;
    const char* operands;
    const char* description;
};

constexpr Subcommand kSubcommands[] = {
    {"import", Action::Import, "FILE", "import FILE and report every incomplete observation"},
    {"check", Action::Check, "FILE",
     "import FILE, then check its horizontal-angle rounds (--all: every tolerance item)"},
    {"export", Action::Export, "FILE OUT",
     "import FILE, then write the adjustment input file OUT (several FILEs: each FILE.txt)"},
    {"run", Action::Run, "FILE",
     "import, check and export; OUT (-o) defaults to FILE with the extension .txt"},
    {"repair", Action::Repair, "FILE",
     "mend, in place, names that start with a character XML forbids (the original kept as "
     "FILE.orig)"},
    {"adjust", Action::Adjust, "FILE",
     "import FILE, then traverse closures and a least-squares adjustment (-o: the results, by "
     "extension)"},
    {"report", Action::Report, "FILE",
     "import, check, field-check and adjust FILE, then write the HTML report; OUT (-o) defaults to "
     "FILE.html"},
};

bool EndsWithXml(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension.size() == 4 && (extension[1] | 0x20) == 'x' && (extension[2] | 0x20) == 'm' &&
           (extension[3] | 0x20) == 'l';
}

// export FILE OUT names its output; with more record files (or a second one named *.xml) each
// FILE gets FILE.txt.
ParseOutcome SettleExport(CommandLine& commandLine) {
    std::vector<std::string>& files = commandLine.files;
    if (files.size() < 2) return UsageError(text::kExportOperands);
    if (files.size() == 2 && !EndsWithXml(files[1])) {
        commandLine.output = files[1];
        files.pop_back();
    }
    return {true, 0};
}

// The limits of the field checks: chosen only where they are used, and never a line the standard
// lacks (it admits no 6" instrument for 三等 and 四等).
ParseOutcome SettleLimits(const CommandLine& commandLine) {
    const traverse::FieldCheckOptions& checks = commandLine.fieldChecks;
    const bool instrument = checks.angleClass != 0 || checks.distanceClass != 0;
    const bool given = checks.hasGrade || instrument;
    if (commandLine.action == Action::Check && !commandLine.allChecks && given) {
        return UsageError(text::kLimitsWithAll);
    }
    const bool upperGrade = checks.grade == traverse::TraverseGrade::Order3 ||
                            checks.grade == traverse::TraverseGrade::Order4;
    if (checks.hasGrade && upperGrade && checks.angleClass == 6) {
        return UsageError(
            Formatted(text::kNoSixSecondInstrument, traverse::TraverseGradeName(checks.grade)));
    }
    return {true, 0};
}

// Each -o to its place: adjust writes them all as result files; report takes the one that is no
// result file as its page; run takes one.
ParseOutcome SettleOutputs(CommandLine& commandLine) {
    const std::vector<std::string>& outputs = commandLine.outputs;
    if (commandLine.action == Action::Adjust) {
        commandLine.resultFiles = outputs;
        return {true, 0};
    }
    std::vector<std::string> pages;
    for (const std::string& output : outputs) {
        const bool resultFile =
            commandLine.action == Action::Report && traverse::HasResultFileExtension(output);
        (resultFile ? commandLine.resultFiles : pages).push_back(output);
    }
    if (pages.size() > 1) {
        return UsageError(Formatted(text::kOnePageOnly, pages[1].c_str()));
    }
    if (!pages.empty()) commandLine.output = pages.front();
    return {true, 0};
}

// The files and outputs of the chosen command, checked once CLI11 has read the words.
ParseOutcome Settle(CommandLine& commandLine, bool haveOutput) {
    const ParseOutcome limits = SettleLimits(commandLine);
    if (!limits.proceed) return limits;
    if (commandLine.action == Action::Export) {
        const ParseOutcome outcome = SettleExport(commandLine);
        if (!outcome.proceed) return outcome;
    }
    MergeRepeatedFiles(commandLine);
    const Action action = commandLine.action;
    const bool takesOutput =
        action == Action::Run || action == Action::Adjust || action == Action::Report;
    if (haveOutput && !takesOutput) return UsageError(text::kOutputCommands);
    const ParseOutcome outputs = SettleOutputs(commandLine);
    if (!outputs.proceed) return outputs;
    const bool named = haveOutput || !commandLine.gama.empty() || !commandLine.sides.empty();
    if (named && commandLine.files.size() > 1) {
        return UsageError(text::kOneFileOnly);
    }
    if (action == Action::Adjust || action == Action::Report) {
        const std::string refused = traverse::CheckAdjustmentOptions(commandLine.adjustment);
        if (!refused.empty()) return UsageError(traverse::GbkToUtf8(refused));
    }
    const std::string unsafe = RefuseUnsafeOutputs(commandLine);
    if (!unsafe.empty()) return UsageError(unsafe);
    return {true, 0};
}

// A word that names a traverse grade.
CLI::Validator GradeName() {
    return CLI::Validator(
        [](std::string& word) {
            return traverse::ParseTraverseGrade(word).status == traverse::ParseStatus::Read
                       ? std::string()
                       : Formatted(text::kUnknownGrade, word.c_str());
        },
        "GRADE");
}

// The grade chooses the limits of the field checks and the precision and limits of the adjustment.
void AddGradeOption(CLI::App& command, CommandLine& commandLine, const char* description) {
    command
        .add_option_function<std::string>(
            "--grade",
            [&commandLine](const std::string& word) {
                const traverse::GradeParse parse = traverse::ParseTraverseGrade(word);
                traverse::FieldCheckOptions& checks = commandLine.fieldChecks;
                checks.hasGrade = parse.status == traverse::ParseStatus::Read;
                checks.grade = parse.grade;
                if (checks.hasGrade) commandLine.adjustment.grade = checks.grade;
            },
            description)
        ->check(GradeName());
}

// The instrument chooses the lines of the field checks' tables and weighs the adjustment.
void AddInstrumentOption(CLI::App& command, CommandLine& commandLine) {
    command
        .add_option_function<std::string>(
            "--instrument",
            [&commandLine](const std::string& word) {
                const traverse::InstrumentParse parse = traverse::ParseInstrumentClasses(word);
                if (parse.angleClass != 0) commandLine.fieldChecks.angleClass = parse.angleClass;
                if (parse.distanceClass != 0) {
                    commandLine.fieldChecks.distanceClass = parse.distanceClass;
                }
                commandLine.adjustment.instrument = parse.accuracy;
            },
            "the instrument: an angle class or sigma in arc seconds (1, 2, 6, DJ2, 0.5\") and/or a "
            "distance class 5mm, 10mm or a nominal accuracy a mm + b ppm, e.g. 2,5mm or 2,2mm+2ppm")
        ->check(CLI::Validator(
            [](std::string& word) { return traverse::ParseInstrumentClasses(word).message; },
            "INSTRUMENT"));
}

// An option whose value is kept only when given.
void AddOptional(CLI::App& command, const char* name, std::optional<double>& value,
                 const char* description) {
    command
        .add_option_function<double>(
            name, [&value](const double& given) { value = given; }, description)
        ->option_text("NUMBER");
}

// The a-priori precision and the model of the adjustment. Out-of-range values are usage errors,
// in the adjustment's words.
void AddAdjustmentOptions(CLI::App& command, CommandLine& commandLine) {
    traverse::AdjustmentOptions& options = commandLine.adjustment;
    AddGradeOption(
        command, commandLine,
        "traverse grade: the a-priori sigmas and the closure limits (三等, 四等, 一级, 二级, 三级; "
        "default 一级)");
    AddOptional(command, "--sigma-direction", options.directionSigma,
                "direction sigma, arc seconds");
    AddOptional(command, "--sigma-distance", options.distanceSigmaA,
                "distance sigma a of a + b*D, millimetres");
    AddOptional(command, "--sigma-ppm", options.distanceSigmaB, "distance sigma b of a + b*D, ppm");
    AddOptional(command, "--sigma-height", options.heightSigma,
                "height-difference sigma, millimetres per km");
    command
        .add_option("--refraction", options.refraction, "refraction coefficient k (default 0.13)")
        ->option_text("K");
    AddOptional(command, "--surface-height", options.surfaceHeight,
                "reduce distances to this height H0, metres");
    AddOptional(command, "--y-offset", options.yOffset,
                "reduce distances to the Gauss plane with false easting Ym");
    command.add_option("--crs", options.crs,
                       "projected CRS of the coordinates (EPSG:4547 or a PROJ string): reduce "
                       "distances by its scale factors, give latitude and longitude")
        ->option_text("CODE");
    command.add_option("--alpha", options.alpha, "significance of the global test (default 0.05)")
        ->option_text("ALPHA");
    command
        .add_option("--w-critical", options.wTestCritical,
                    "outlier limit of the w-test (default 3.29)")
        ->option_text("W");
    AddOptional(command, "--confidence", options.confidence,
                "error ellipses at this confidence level, e.g. 0.95 (default: standard, 1 sigma)");
}

void AddFieldCheckOptions(CLI::App& check, CommandLine& commandLine) {
    check.add_flag(
        "--all", commandLine.allChecks,
        "then check every tolerance item of the file as the surveying standard defines it");
    AddGradeOption(
        check, commandLine,
        "traverse grade for limits the file does not carry: 三等, 四等, 一级, 二级, 三级");
    AddInstrumentOption(check, commandLine);
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, char** argv, CommandLine& commandLine) {
    CLI::App app(kDescription, "traverse");
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("traverse ") + TRAVERSE_VERSION);
    app.add_flag("--json", commandLine.json,
                 "one JSON object per library command, one per line, on stdout");
    CLI::Option* output =
        app.add_option("-o,--output", commandLine.outputs,
                       "run: the adjustment input file; report: the page; adjust and report, "
                       "repeatable: the results by extension (.csv, .gpkg, .geojson, .dxf, .dat)")
            ->option_text("OUT")
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    traverse::SetLanguage(traverse::LanguageFromEnvironment());
    app.add_option_function<std::string>(
           "--lang",
           [](const std::string& code) {
               traverse::SetLanguage(*traverse::LanguageFromCode(code));
           },
           "language of reports and messages: zh (default) or en; else LC_ALL, LC_MESSAGES, LANG")
        ->check(CLI::IsMember({"zh", "en"}))
        ->option_text("zh|en");
    std::string jobs;
    CLI::Option* jobsOption =
        app.add_option("-j,--jobs", jobs, "record files worked on at once (default: one per core)")
            ->option_text("N");
    for (const Subcommand& entry : kSubcommands) {
        CLI::App* sub = app.add_subcommand(entry.name, entry.description);
        sub->fallthrough();
        sub->add_option(entry.operands, commandLine.files, "record files")->required();
        sub->callback([&commandLine, action = entry.action] { commandLine.action = action; });
        if (entry.action == Action::Repair) {
            sub->add_flag("--no-backup", commandLine.noBackup,
                          "do not keep the original as FILE.orig");
        }
        if (entry.action == Action::Check) AddFieldCheckOptions(*sub, commandLine);
        if (entry.action == Action::Adjust || entry.action == Action::Report) {
            AddAdjustmentOptions(*sub, commandLine);
        }
        if (entry.action == Action::Adjust) {
            sub->add_option("--gama", commandLine.gama,
                            "also write the network as a GNU Gama gama-local document")
                ->option_text("XML");
            sub->add_option("--sides", commandLine.sides,
                            "also write the sides (azimuth, length, sigma, relative sigma) as CSV")
                ->option_text("CSV");
        }
        if (entry.action == Action::Adjust || entry.action == Action::Report) {
            AddInstrumentOption(*sub, commandLine);
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return {false, app.exit(success)};
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    // Checked here, not by CLI11, whose words for a range name the largest double in full.
    if (jobsOption->count() > 0 &&
        !(CLI::detail::lexical_cast(jobs, commandLine.jobs) && commandLine.jobs > 0)) {
        return UsageError(text::kJobsAtLeastOne);
    }
    return Settle(commandLine, output->count() > 0);
}

std::string DefaultOutputPath(const std::string& file) {
    return std::filesystem::path(file).replace_extension(".txt").string();
}

std::string DefaultReportPath(const std::string& file) {
    return std::filesystem::path(file).replace_extension(".html").string();
}

std::string OutputPathOf(const CommandLine& commandLine, const std::string& file) {
    if (!commandLine.output.empty()) return commandLine.output;
    switch (commandLine.action) {
        case Action::Export:
        case Action::Run: return DefaultOutputPath(file);
        case Action::Report: return DefaultReportPath(file);
        default: return std::string();
    }
}

}  // namespace traverse_cli
