#include "import/record_nodes.h"

#include "platform/c_number.h"
#include "platform/characters.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"

namespace traverse {
namespace {

constexpr std::size_t kExcerptCharacters = 40;

// The text without blanks at either end, cut after kExcerptCharacters characters.
std::string Excerpt(const std::string& gbkText) {
    const std::string text = chars::TrimCSpace(gbkText);
    std::size_t at = 0;
    for (std::size_t n = 0; at < text.size() && n < kExcerptCharacters; ++n) {
        at += chars::GbkLength(text, at);
    }
    return at < text.size() ? text.substr(0, at) + GBK("…") : text;
}

}  // namespace

RecordPlaceError::RecordPlaceError(const XmlNode& text)
    : _com_error(E_POINTER, FormatText(GBK(text::kTextWhereRecordBelongs), text.line(),
                                       text.column(), Excerpt(text.nodeTypedValue()).c_str())) {}

bool IsRecordNode(const XmlNode& node) {
    switch (node.nodeType()) {
    case NODE_COMMENT:
    case NODE_PROCESSING_INSTRUCTION: return false;
    case NODE_TEXT:
    case NODE_CDATA_SECTION: throw RecordPlaceError(node);
    default: return true;
    }
}

}  // namespace traverse
