// Names that a repair made equal. The repaired file is scanned for the names of its start tags; a
// file that loads holds '<' only at markup, so the scan needs no parser.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/characters.h"
#include "platform/text_file.h"
#include "traverse/code_page.h"
#include "traverse/repair.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"

namespace traverse {
namespace {

struct TagName {
    std::string name;  // GBK
    long line;
    long column;
};

// The decoded (UTF-8) text of the file, empty when it cannot be read.
std::string ReadDecoded(const std::string& gbkPath) {
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeRead)) return std::string();
    std::string content;
    try {
        content = file.ReadAll();
    } catch (const CFileException&) {
        return std::string();
    }
    return DecodeRecordText(content, RecordTextEncoding(content.substr(0, kDeclarationPrefixLength))).utf8;
}

// Skips a comment, CDATA section or processing instruction that starts at at; at unchanged if none.
std::size_t SkipConstruct(const std::string& text, std::size_t at) {
    static const std::pair<const char*, const char*> kConstructs[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    for (const auto& [open, close] : kConstructs) {
        if (text.compare(at, std::char_traits<char>::length(open), open) != 0) continue;
        const std::size_t end = text.find(close, at);
        return end == std::string::npos ? text.size() : end + std::char_traits<char>::length(close);
    }
    return at;
}

// The name of every start tag, with its line and column (1-based, columns in characters).
std::vector<TagName> StartTagNames(const std::string& text) {
    std::vector<TagName> names;
    chars::LineCursor line(text, chars::StartsWithUtf8Bom(text) ? chars::kUtf8Bom.size() : 0);
    std::size_t at = line.Start();
    while ((at = text.find('<', at)) != std::string::npos) {
        const std::size_t skipped = SkipConstruct(text, at);
        if (skipped != at || text.compare(at, 2, "</") == 0) {
            at = std::max(skipped, at + 1);
            continue;
        }
        for (chars::LineCursor next = line; line.End() < at && next.Next() && next.Start() <= at;) {
            line = next;
        }
        std::size_t end = ++at;
        while (end < text.size() && !chars::IsXmlSpace(text[end]) && text[end] != '/' && text[end] != '>') {
            ++end;
        }
        long column = 1;
        for (std::size_t i = line.Start(); i < at; ++i) column += chars::IsUtf8Continuation(text[i]) ? 0 : 1;
        names.push_back({Utf8ToGbkLossy(text.substr(at, end - at)), line.Number(), column});
        at = end;
    }
    return names;
}

void AddLine(std::vector<NameLines>& list, const std::string& name, long line) {
    auto found = std::find_if(list.begin(), list.end(), [&](const NameLines& n) { return n.name == name; });
    if (found == list.end()) found = list.insert(list.end(), NameLines{name, {}});
    found->lines.push_back(line);
}

}  // namespace

std::vector<RepairCollision> FindRepairCollisions(const std::string& gbkPath, const RepairResult& result) {
    std::vector<RepairCollision> collisions;
    if (result.repairs.empty()) return collisions;
    std::set<std::pair<long, long>> mendedAt;
    std::vector<std::string> order;  // mended names, in the order first written
    std::map<std::string, std::vector<NameLines>> sources;
    for (const RepairedName& repaired : result.repairs) {
        mendedAt.insert({repaired.line, repaired.column});
        if (sources.find(repaired.after) == sources.end()) order.push_back(repaired.after);
        AddLine(sources[repaired.after], repaired.before, repaired.line);
    }
    std::map<std::string, std::vector<long>> existing;
    for (const TagName& tag : StartTagNames(ReadDecoded(gbkPath))) {
        if (sources.count(tag.name) != 0 && mendedAt.count({tag.line, tag.column}) == 0) {
            existing[tag.name].push_back(tag.line);
        }
    }
    for (const std::string& name : order) {
        std::vector<NameLines>& from = sources[name];
        std::vector<long>& already = existing[name];
        if (from.size() > 1 || !already.empty()) collisions.push_back({name, from, already});
    }
    return collisions;
}

}  // namespace traverse
