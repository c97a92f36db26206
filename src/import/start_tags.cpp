#include "import/start_tags.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/characters.h"
#include "platform/text_file.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"

namespace traverse {
namespace {

// Skips a comment, CDATA section, processing instruction or declaration that starts at at; at
// unchanged if none does.
std::size_t SkipConstruct(const std::string& text, std::size_t at) {
    static const std::pair<std::string_view, std::string_view> kConstructs[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    for (const auto& [open, close] : kConstructs) {
        if (text.compare(at, open.size(), open) != 0) continue;
        const std::size_t end = text.find(close, at + open.size());
        return end == std::string::npos ? text.size() : end + close.size();
    }
    return at;
}

// Offset just past the '>' that closes the tag opened at at; quoted values may hold '>'.
std::size_t TagEnd(const std::string& text, std::size_t at) {
    char quote = 0;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (quote != 0) {
            if (text[i] == quote) quote = 0;
        } else if (text[i] == '"' || text[i] == '\'') {
            quote = text[i];
        } else if (text[i] == '>') {
            return i + 1;
        }
    }
    return text.size();
}

std::size_t NameEnd(const std::string& text, std::size_t at) {
    while (at < text.size() && !chars::IsXmlSpace(text[at]) && text[at] != '/' && text[at] != '>')
        ++at;
    return at;
}

}  // namespace

std::string ReadRecordText(const std::string& gbkPath) {
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeRead)) return std::string();
    std::string content;
    try {
        content = file.ReadAll();
    } catch (const CFileException&) {
        return std::string();
    }
    return DecodeRecordText(content,
                            RecordTextEncoding(content.substr(0, kDeclarationPrefixLength)))
        .utf8;
}

std::vector<StartTag> StartTags(const std::string& text) {
    std::vector<StartTag> tags;
    chars::LineCursor line(text, chars::StartsWithUtf8Bom(text) ? chars::kUtf8Bom.size() : 0);
    std::size_t at = line.Start();
    while ((at = text.find('<', at)) != std::string::npos) {
        const std::size_t skipped = SkipConstruct(text, at);
        if (skipped != at || text.compare(at, 2, "</") == 0) {
            at = std::max(skipped, at + 1);
            continue;
        }
        StartTag tag;
        tag.start = at;
        tag.end = TagEnd(text, at);
        const std::size_t nameStart = at + 1;
        tag.name = text.substr(nameStart, NameEnd(text, nameStart) - nameStart);
        line.MoveTo(nameStart);
        tag.line = line.Number();
        tag.column = line.Utf8Column(nameStart);
        tags.push_back(std::move(tag));
        at = tags.back().end;
    }
    return tags;
}

}  // namespace traverse
