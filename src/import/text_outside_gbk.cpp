#include "traverse/record_diagnosis.h"

#include "import/start_tags.h"
#include "platform/characters.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"

namespace traverse {
namespace {

bool HoldsInGbk(const std::string& utf8) {
    try {
        Utf8ToGbk(utf8);
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

// The offset of the first character of text[start, end) that GBK cannot hold, or end.
std::size_t FirstOutsideGbk(const std::string& text, std::size_t start, std::size_t end) {
    for (std::size_t at = start; at < end;) {
        const std::size_t length = chars::DecodeUtf8(text, at).length;
        if (length > 1 && !HoldsInGbk(text.substr(at, length))) return at;
        at += length;
    }
    return end;
}

}  // namespace

TextOutsideGbk FindTextOutsideGbk(const std::string& gbkPath) {
    TextOutsideGbk found;
    const std::string text = ReadRecordText(gbkPath);
    for (const StartTag& tag : StartTags(text)) {
        // Whole tags convert at once; only a tag that fails is walked character by character.
        if (HoldsInGbk(text.substr(tag.start, tag.end - tag.start))) continue;
        const std::size_t at = FirstOutsideGbk(text, tag.start, tag.end);
        if (at == tag.end) continue;
        chars::LineCursor line(text, chars::StartsWithUtf8Bom(text) ? chars::kUtf8Bom.size() : 0);
        line.MoveTo(at);
        found.line = line.Number();
        found.column = line.Utf8Column(at);
        found.codePoint = chars::DecodeUtf8(text, at).code;
        found.element = Utf8ToGbkLossy(tag.name);
        found.status = TextOutsideGbkStatus::Found;
        return found;
    }
    return found;
}

}  // namespace traverse
