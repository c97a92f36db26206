#include "xml/xml_parser.h"

#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>

#include "platform/characters.h"
#include "platform/messages.h"
#include "xml/gb18030_input.h"
#include "xml/xml_entity_guard.h"
#include "xml/xml_parse_state.h"
#include "xml/xml_tree_builder.h"
#include "xml/xml_parse_error_table.h"
#include "platform/text_file.h"

namespace traverse {
namespace {

// libxml2 needs its one-time set-up before parsers run on several threads. Nothing else of its
// process-wide state is touched: limits and entity loading are settled per parse below.
void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

// Where the bytes of a record come from. Read serves the parser in order; ReadAll gives the whole
// content once more when a failed parse is explained.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int Read(char* buffer, int length) = 0;  // -1 on a read error
    virtual std::string ReadAll() = 0;
    // The first bytes, leaving the next Read at the start.
    virtual std::string Peek(std::size_t length) = 0;
    virtual long long Size() const = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(const std::string& bytes) : m_bytes(bytes) {}
    int Read(char* buffer, int length) override {
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                        m_bytes.size() - m_position);
        std::memcpy(buffer, m_bytes.data() + m_position, count);
        m_position += count;
        return static_cast<int>(count);
    }
    std::string ReadAll() override { return m_bytes; }
    std::string Peek(std::size_t length) override { return m_bytes.substr(0, length); }
    long long Size() const override { return static_cast<long long>(m_bytes.size()); }

private:
    const std::string& m_bytes;
    std::size_t m_position = 0;
};

struct FileClose {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

class FileSource : public ByteSource {
public:
    // False when the path names nothing that can be read as a file.
    bool Open(const std::string& gbkPath) {
        m_file.reset(std::fopen(SystemPath(gbkPath).c_str(), "rb"));
        if (!m_file) return false;
        struct stat status {};
        if (fstat(fileno(m_file.get()), &status) != 0 || !S_ISREG(status.st_mode)) return false;
        m_size = static_cast<long long>(status.st_size);
        return true;
    }
    long long Size() const override { return m_size; }
    int Read(char* buffer, int length) override {
        const std::size_t count =
            std::fread(buffer, 1, static_cast<std::size_t>(length), m_file.get());
        if (count == 0 && std::ferror(m_file.get())) return -1;
        return static_cast<int>(count);
    }
    std::string ReadAll() override {
        std::string all;
        if (std::fseek(m_file.get(), 0, SEEK_SET) != 0) return all;
        char buffer[65536];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, m_file.get())) > 0)
            all.append(buffer, count);
        return all;
    }
    std::string Peek(std::size_t length) override {
        std::string prefix(length, '\0');
        prefix.resize(std::fread(&prefix[0], 1, length, m_file.get()));
        std::fseek(m_file.get(), 0, SEEK_SET);
        return prefix;
    }

private:
    std::unique_ptr<std::FILE, FileClose> m_file;
    long long m_size = 0;
};

int ReadCallback(void* context, char* buffer, int length) {
    return static_cast<ByteSource*>(context)->Read(buffer, length);
}

// The source outlives the parser context, which must not close it.
int CloseCallback(void*) { return 0; }

// How the bytes of a record are decoded.
struct EncodingPlan {
    std::string name;              // iconv/libxml2 name to switch to; empty: UTF-8 (or a BOM's)
    std::string decodeName;        // iconv name that decodes the raw bytes; empty for UTF-8
    std::size_t declaredAt = 0;    // offset of the declared encoding name
    bool unsupported = false;
};

// The encoding name of the XML declaration at the start of prefix, upper case, and where it stands;
// false when there is none.
bool DeclaredEncoding(const std::string& prefix, std::string& declared, std::size_t& declaredAt) {
    if (prefix.compare(0, 5, "<?xml") != 0) return false;
    const std::size_t end = std::min(prefix.find("?>"), prefix.size());
    std::size_t at = prefix.find("encoding", 5);
    if (at == std::string::npos || at >= end) return false;
    at += 8;
    while (at < end && chars::IsXmlSpace(prefix[at])) ++at;
    if (at >= end || prefix[at] != '=') return false;
    ++at;
    while (at < end && chars::IsXmlSpace(prefix[at])) ++at;
    if (at >= end || (prefix[at] != '"' && prefix[at] != '\'')) return false;
    const std::size_t close = prefix.find(prefix[at], at + 1);
    if (close == std::string::npos || close > end) return false;
    declared = chars::AsciiUpper(prefix.substr(at + 1, close - at - 1));
    declaredAt = at + 1;
    return true;
}

bool NameIn(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names) {
        if (name == candidate) return true;
    }
    return false;
}

EncodingPlan PlanEncoding(const std::string& prefix) {
    EncodingPlan plan;
    if (chars::StartsWithUtf8Bom(prefix)) return plan;  // a UTF-8 byte-order mark wins
    if (prefix.compare(0, 2, "\xFF\xFE") == 0 || prefix.compare(0, 2, "\xFE\xFF") == 0) {
        plan.decodeName = "UTF-16";  // libxml2 detects the byte order itself
        return plan;
    }
    std::string declared;
    if (!DeclaredEncoding(prefix, declared, plan.declaredAt) ||
        NameIn(declared, {"UTF-8", "UTF8"})) {
        return plan;
    }
    // GBK, GB2312 and GB18030 files all decode as GB18030: record files declared "GB2312" hold
    // GBK characters, and GB18030 is a superset of both.
    if (NameIn(declared, {"GBK", "GB2312", "GB18030", "CP936", "MS936", "WINDOWS-936", "EUC-CN",
                          "X-GBK", "CSGB2312", "GB_2312-80", "X-EUC-CN", "936"})) {
        declared = "GB18030";
    }
    // A declaration read as 8-bit text cannot name a 16- or 32-bit encoding truthfully.
    for (const char* wide : {"UTF-16", "UTF16", "UCS-2", "UCS2", "UTF-32", "UCS-4"}) {
        if (declared.compare(0, std::strlen(wide), wide) == 0) plan.unsupported = true;
    }
    plan.name = plan.decodeName = declared;
    return plan;
}

void OnError(void* data, xmlErrorPtr error) {
    if (error == nullptr || error->level < XML_ERR_ERROR) return;  // warnings change nothing
    static_cast<ParseState*>(data)->Record(*error);
}

struct ContextFree {
    void operator()(xmlParserCtxtPtr context) const noexcept {
        if (context->myDoc != nullptr) xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
        xmlFreeParserCtxt(context);
    }
};

// Routes libxml2's error reports on this thread to one parse for its duration. libxml2 2.9.14
// routes a parser's errors to a handler of its own only for a SAX2 handler, which would parse names
// namespace-aware, and reports the encoding layer's errors without any parser at all.
class ErrorScope {
public:
    explicit ErrorScope(ParseState* state)
        : m_previous(xmlStructuredError), m_previousContext(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(state, OnError);
    }
    ~ErrorScope() {
        xmlSetStructuredErrorFunc(m_previousContext, m_previous);
    }
    ErrorScope(const ErrorScope&) = delete;
    ErrorScope& operator=(const ErrorScope&) = delete;

private:
    xmlStructuredErrorFunc m_previous;
    void* m_previousContext;
};

XmlParseResult Fail(XmlParseError error) {
    XmlParseResult result;
    result.error = std::move(error);
    return result;
}

// Switches the parse to the declared encoding; false, with the fault, when it cannot be read.
bool SwitchEncoding(xmlParserCtxtPtr context, const EncodingPlan& plan, const std::string& prefix,
                    XmlParseError& error) {
    if (plan.name.empty()) return true;
    xmlCharEncodingHandlerPtr handler = nullptr;
    if (plan.name == "GB18030") {
        handler = Gb18030InputHandler();
    } else if (!plan.unsupported) {
        handler = xmlFindCharEncodingHandler(plan.name.c_str());
    }
    if (handler != nullptr && xmlSwitchToEncoding(context, handler) >= 0) return true;
    XmlFault fault;
    fault.domain = XML_FROM_PARSER;
    fault.code = XML_ERR_UNSUPPORTED_ENCODING;
    fault.offset = static_cast<long>(plan.declaredAt);
    error = DescribeParseFault(fault, DecodeRecordText(prefix, std::string()));
    return false;
}

// SAX1 keeps names as written: "a:b" names and xmlns attributes are plain names and attributes, in
// document order, which namespace-aware parsing would not keep; NOENT expands internal entities,
// which is safe because GuardEntities lets no external one load; HUGE lifts libxml2's limits, whose
// messages name the wrong cause, for the library's own (xml_parse_state.h).
constexpr int kParseOptions = XML_PARSE_SAX1 | XML_PARSE_NONET | XML_PARSE_NOENT |
                              XML_PARSE_NOBLANKS | XML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;

// The tree of a parse that ran, or the fault that ended it, explained on the file's text.
XmlParseResult Finish(xmlParserCtxtPtr context, ParseState& state, XmlTreeBuilder& builder,
                      ByteSource& source, const EncodingPlan& plan) {
    if (context->wellFormed && !state.failed && context->myDoc != nullptr) {
        XmlParseResult result;
        result.tree = builder.Finish();
        return result;
    }
    if (!state.failed) {
        state.fault.domain = XML_FROM_PARSER;
        state.fault.code = context->errNo;
        state.CapturePosition();
    }
    // The tree is no longer needed while the fault is explained.
    builder.Abandon();
    return Fail(
        DescribeParseFault(state.fault, DecodeRecordText(source.ReadAll(), plan.decodeName)));
}

XmlParseResult Parse(ByteSource& source, XmlStreamedSection* section) {
    InitialiseOnce();
    if (source.Size() > kMaxRecordBytes) return Fail(FileTooLargeError());
    const std::string prefix = source.Peek(kDeclarationPrefixLength);
    if (prefix.empty()) return Fail(MissingRootError());
    const EncodingPlan plan = PlanEncoding(prefix);

    ParseState state;
    ErrorScope scope(&state);
    std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlCreateIOParserCtxt(
        nullptr, nullptr, ReadCallback, CloseCallback, &source, XML_CHAR_ENCODING_NONE));
    if (!context) {
        XmlParseError error;
        error.errorCode = E_OUTOFMEMORY;
        error.reason = kReasonOutOfMemory;
        return Fail(error);
    }
    state.context = context.get();
    context->_private = &state;
    xmlCtxtUseOptions(context.get(), kParseOptions);
    XmlTreeBuilder builder(state, context.get());
    state.builder = &builder;
    builder.ExpectBytes(source.Size());
    if (section != nullptr) builder.StreamSection(*section);
    XmlTreeBuilder::Install(*context->sax);
    GuardEntities(*context->sax);
    XmlParseError encodingError;
    if (!SwitchEncoding(context.get(), plan, prefix, encodingError)) return Fail(encodingError);
    xmlParseDocument(context.get());
    return Finish(context.get(), state, builder, source, plan);
}

}  // namespace

std::string RecordTextEncoding(const std::string& prefix) {
    return PlanEncoding(prefix).decodeName;
}

XmlParseResult ParseXmlFile(const std::string& gbkPath, XmlStreamedSection* section) {
    FileSource source;
    if (!source.Open(gbkPath)) return Fail(MissingFileError());
    return Parse(source, section);
}

XmlParseResult ParseXmlBytes(const std::string& bytes) {
    MemorySource source(bytes);
    return Parse(source, nullptr);
}

}  // namespace traverse
