// The library for Python: one record file per object, results handed over as the JSON objects the
// program writes, so both hosts show the same values under the same keys.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "json_report.h"
#include "python_texts.h"
#include "traverse/traverse.h"

namespace py = pybind11;

namespace {

using traverse_cli::Json;

// The message boxes shown on this thread while a call runs, in order (GBK).
thread_local std::vector<std::string>* t_messages = nullptr;

// The handler that was installed before the module's: it shows what no call of ours collects.
const traverse::MessageBoxHandler* g_outside = nullptr;

void CollectMessageBox(const std::string& gbkText) {
    if (t_messages != nullptr) {
        t_messages->push_back(gbkText);
    } else if (g_outside != nullptr && *g_outside) {
        (*g_outside)(gbkText);
    } else {
        std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(gbkText).c_str());
    }
}

// Collects the message boxes of one library call made on this thread.
class MessageCapture {
public:
    MessageCapture() : m_previous(t_messages) { t_messages = &m_messages; }
    ~MessageCapture() { t_messages = m_previous; }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;
    std::vector<std::string> Utf8Messages() const {
        std::vector<std::string> texts;
        for (const std::string& text : m_messages) texts.push_back(traverse::GbkToUtf8(text));
        return texts;
    }

private:
    std::vector<std::string> m_messages;
    std::vector<std::string>* m_previous;
};

// Runs a library command as a host must: what it lets through becomes its message box.
template <typename Body>
std::uint32_t Guarded(Body body) {
    try {
        return body();
    } catch (const traverse::CException& e) {
        e.ReportError();
    } catch (const traverse::_com_error& e) {
        traverse::ShowMessageBox(e.Description().empty() ? traverse::Utf8ToGbk(e.what())
                                                         : e.Description());
    } catch (const std::bad_alloc&) {
        traverse::CMemoryException().ReportError();
    }
    return traverse::RESULT_FAILED;
}

std::string Joined(const std::vector<std::string>& messages, const std::string& path) {
    std::string text = path + ":";
    for (const std::string& message : messages) text += " " + message;
    return text;
}

// Raised to Python as traverse.TraverseError(message, line, column).
struct LibraryError {
    std::string message;  // UTF-8
    long line = 0;
    long column = 0;
};

std::string ToGbkPath(const std::string& utf8Path) {
    try {
        return traverse::Utf8ToGbk(utf8Path);
    } catch (const traverse::_com_error&) {
        const char* const outsideGbk = traverse_python::text::kPathOutsideGbk;
        throw LibraryError{utf8Path + outsideGbk};
    }
}

// A grade from Python's words; a word the library does not know is a ValueError in its words.
traverse::TraverseGrade Grade(const std::string& word) {
    const traverse::GradeParse parse = traverse::ParseTraverseGrade(word);
    if (parse.status != traverse::ParseStatus::Read) throw py::value_error(parse.message);
    return parse.grade;
}

traverse::InstrumentParse Instrument(const std::string& word) {
    traverse::InstrumentParse parse = traverse::ParseInstrumentClasses(word);
    if (parse.status != traverse::ParseStatus::Read) throw py::value_error(parse.message);
    return parse;
}

// The options of the field checks, as the program's --grade and --instrument.
traverse::FieldCheckOptions FieldOptions(const std::optional<std::string>& grade,
                                         const std::optional<std::string>& instrument) {
    traverse::FieldCheckOptions options;
    if (grade) {
        options.grade = Grade(*grade);
        options.hasGrade = true;
    }
    if (instrument) {
        const traverse::InstrumentParse parse = Instrument(*instrument);
        options.angleClass = parse.angleClass;
        options.distanceClass = parse.distanceClass;
    }
    return options;
}

std::optional<double> Number(const py::dict& options, const char* key) {
    if (!options.contains(key) || options[key].is_none()) return std::nullopt;
    return options[key].cast<double>();
}

std::optional<std::string> Word(const py::dict& options, const char* key) {
    if (!options.contains(key) || options[key].is_none()) return std::nullopt;
    return options[key].cast<std::string>();
}

// The adjustment's options from keyword arguments named as the program's options.
traverse::AdjustmentOptions AdjustOptions(const py::dict& given) {
    static const char* const kKnown[] = {
        "grade",   "instrument", "sigma_direction", "sigma_distance", "sigma_ppm",  "sigma_height",
        "refraction", "earth_radius", "surface_height", "y_offset", "crs", "alpha", "w_critical",
        "confidence"};
    for (const auto& item : given) {
        const std::string key = py::str(item.first);
        bool known = false;
        for (const char* name : kKnown) known = known || key == name;
        if (!known) throw py::type_error("adjust() got an unexpected option '" + key + "'");
    }
    traverse::AdjustmentOptions options;
    if (const auto grade = Word(given, "grade")) options.grade = Grade(*grade);
    if (const auto instrument = Word(given, "instrument"))
        options.instrument = Instrument(*instrument).accuracy;
    if (const auto crs = Word(given, "crs")) options.crs = *crs;
    options.directionSigma = Number(given, "sigma_direction");
    options.distanceSigmaA = Number(given, "sigma_distance");
    options.distanceSigmaB = Number(given, "sigma_ppm");
    options.heightSigma = Number(given, "sigma_height");
    options.surfaceHeight = Number(given, "surface_height");
    options.yOffset = Number(given, "y_offset");
    options.confidence = Number(given, "confidence");
    if (auto k = Number(given, "refraction")) options.refraction = *k;
    if (auto r = Number(given, "earth_radius")) options.earthRadius = *r;
    if (auto a = Number(given, "alpha")) options.alpha = *a;
    if (auto w = Number(given, "w_critical")) options.wTestCritical = *w;
    const std::string refused = traverse::CheckAdjustmentOptions(options);
    if (!refused.empty()) throw py::value_error(traverse::GbkToUtf8(refused));
    return options;
}

// One imported record file.
class RecordFile {
public:
    explicit RecordFile(const std::string& utf8Path)
        : m_path(utf8Path), m_gbkPath(ToGbkPath(utf8Path)) {
        MessageCapture capture;
        {
            py::gil_scoped_release release;
            m_result = Guarded([&] { return m_importer.OnButtonExchange(m_gbkPath); });
        }
        m_messages = capture.Utf8Messages();
        if (m_result != 0 && m_result != traverse::RESULT_FAILED) ThrowLoadError();
    }

    const std::string& Path() const { return m_path; }
    std::uint32_t Result() const { return m_result; }
    std::vector<std::string> Messages() const { return m_messages; }
    std::string Report() const { return traverse::GbkToUtf8(m_importer.m_strText); }
    std::string DataJson() const { return traverse_cli::ImportData(m_importer).dump(); }
    std::string WarningsJson() const { return traverse_cli::ImportWarnings(m_importer).dump(); }

    std::string IncompleteJson() const {
        Json list = Json::array();
        for (const traverse::IncompleteObservation& o :
             traverse::FindIncompleteObservations(m_importer)) {
            list.push_back(Json{{"kind", traverse::IncompleteKindName(o.kind)},
                                {"station", traverse::GbkToUtf8(o.station)},
                                {"round", o.round == 0 ? Json(nullptr) : Json(o.round)},
                                {"target", traverse::GbkToUtf8(o.target)}});
        }
        return list.dump();
    }

    // The horizontal-angle check report; its message boxes come back beside it.
    py::tuple Check() {
        MessageCapture capture;
        {
            py::gil_scoped_release release;
            Guarded([&] { return m_importer.OnButtonCheck(); });
        }
        return py::make_tuple(traverse::GbkToUtf8(m_importer.m_strText), capture.Utf8Messages());
    }

    std::string FieldChecksJson(const std::optional<std::string>& grade,
                                const std::optional<std::string>& instrument) {
        const traverse::FieldCheckOptions options = FieldOptions(grade, instrument);
        py::gil_scoped_release release;
        return traverse_cli::FieldChecksObject(traverse::RunFieldChecks(m_importer, options))
            .dump();
    }

    std::string FieldChecksText(const std::optional<std::string>& grade,
                                const std::optional<std::string>& instrument) {
        const traverse::FieldCheckOptions options = FieldOptions(grade, instrument);
        py::gil_scoped_release release;
        return traverse::GbkToUtf8(
            traverse::FormatFieldChecks(traverse::RunFieldChecks(m_importer, options)));
    }

    traverse::AdjustmentResult Adjust(const py::dict& given) {
        const traverse::AdjustmentOptions options = AdjustOptions(given);
        py::gil_scoped_release release;
        return traverse::AdjustNetwork(m_importer, options);
    }

    std::string ReportHtml(const std::optional<std::string>& grade,
                           const std::optional<std::string>& instrument, const py::dict& given) {
        const traverse::FieldCheckOptions fieldOptions = FieldOptions(grade, instrument);
        py::dict adjustGiven = given;
        if (grade) adjustGiven["grade"] = *grade;
        if (instrument) adjustGiven["instrument"] = *instrument;
        const traverse::AdjustmentOptions adjustOptions = AdjustOptions(adjustGiven);
        const std::string name = m_path.substr(m_path.find_last_of('/') + 1);
        py::gil_scoped_release release;
        // A page of its own: the import and check it runs leave this object's reports alone.
        traverse::CImportXml importer;
        MessageCapture capture;
        return traverse::BuildHtmlReport(
            traverse::CollectReportInput(importer, m_gbkPath, name, fieldOptions, adjustOptions));
    }

    void Export(const std::string& utf8Path) {
        const std::string gbkPath = ToGbkPath(utf8Path);
        MessageCapture capture;
        std::uint32_t result;
        {
            py::gil_scoped_release release;
            result = Guarded([&] { return m_importer.OnButtonTonbq(gbkPath); });
        }
        if (result != 0) throw LibraryError{Joined(capture.Utf8Messages(), utf8Path)};
    }

private:

    // A file the parser refused: its reason, line and column.
    [[noreturn]] void ThrowLoadError() const {
        traverse::XmlDocument document = traverse::XmlDocument::Create();
        LibraryError error{m_path + ": " + traverse::GbkToUtf8(m_importer.m_strError)};
        if (!document.IsEmpty() && !document.load(m_gbkPath)) {
            const traverse::XmlParseError parse = document.parseError();
            error.line = parse.line;
            error.column = parse.linepos;
        }
        if (m_importer.m_strError.empty()) error.message = Joined(m_messages, m_path);
        throw error;
    }

    std::string m_path;
    std::string m_gbkPath;
    traverse::CImportXml m_importer;
    std::uint32_t m_result = 0;
    std::vector<std::string> m_messages;
};

}  // namespace

PYBIND11_MODULE(_traverse, module) {
    module.doc() = "Bindings of libtraverse; use the traverse package, not this module.";
    static traverse::MessageBoxHandler outside = traverse::SetMessageBoxHandler(CollectMessageBox);
    g_outside = &outside;

    static py::exception<LibraryError> error(module, "LibraryError");
    py::register_exception_translator([](std::exception_ptr pointer) {
        try {
            if (pointer) std::rethrow_exception(pointer);
        } catch (const LibraryError& e) {
            // A tuple value becomes the exception's args: (message, line, column).
            PyErr_SetObject(error.ptr(), py::make_tuple(e.message, e.line, e.column).ptr());
        }
    });

    module.def("set_language", [](const std::string& code) {
        const std::optional<traverse::Language> language = traverse::LanguageFromCode(code);
        if (!language || (code != "zh" && code != "en"))
            throw py::value_error("language must be 'zh' or 'en'");
        traverse::SetLanguage(*language);
    });
    module.def("language", [] {
        return traverse::CurrentLanguage() == traverse::Language::kEnglish ? "en" : "zh";
    });
    module.def("version", [] { return std::string(TRAVERSE_VERSION); });

    py::class_<traverse::AdjustmentResult>(module, "AdjustmentResult")
        .def("json",
             [](const traverse::AdjustmentResult& r) {
                 return traverse_cli::AdjustmentObject(r).dump();
             })
        .def("report",
             [](const traverse::AdjustmentResult& r) {
                 return traverse::GbkToUtf8(traverse::FormatAdjustmentReport(r));
             })
        .def("write_csv", [](const traverse::AdjustmentResult& r, const std::string& utf8Path) {
            const std::string gbkPath = ToGbkPath(utf8Path);
            MessageCapture capture;
            if (Guarded([&] { return traverse::WriteAdjustedPointsCsv(r, gbkPath); }) != 0) {
                throw LibraryError{Joined(capture.Utf8Messages(), utf8Path)};
            }
        });

    py::class_<RecordFile>(module, "RecordFile")
        .def(py::init<const std::string&>())
        .def_property_readonly("path", &RecordFile::Path)
        .def_property_readonly("result", &RecordFile::Result)
        .def_property_readonly("messages", &RecordFile::Messages)
        .def_property_readonly("report", &RecordFile::Report)
        .def("data_json", &RecordFile::DataJson)
        .def("warnings_json", &RecordFile::WarningsJson)
        .def("incomplete_json", &RecordFile::IncompleteJson)
        .def("check", &RecordFile::Check)
        .def("field_checks_json", &RecordFile::FieldChecksJson)
        .def("field_checks_text", &RecordFile::FieldChecksText)
        .def("adjust", &RecordFile::Adjust)
        .def("report_html", &RecordFile::ReportHtml)
        .def("export", &RecordFile::Export);
}
