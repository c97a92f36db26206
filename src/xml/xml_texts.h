// The XML access layer's own limits on a record file, standing beside its English parse reasons.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_XML_XML_TEXTS_H
#define TRAVERSE_XML_XML_TEXTS_H

namespace traverse {
namespace text {

// The parse reasons of the XML access layer are English; these stand beside them.
constexpr char kXmlFileTooLarge[] =
    "The file is larger than 512 MB, more than a record file can hold.";
constexpr char kXmlNestedTooDeep[] = "Elements are nested more than 1048576 levels deep.";
constexpr char kXmlNameTooLong[] = "A name is longer than 50000 characters.";
constexpr char kXmlEntitiesTooDeep[] = "Entity references are nested more than 40 levels deep.";
constexpr char kXmlEntityExpansionTooLarge[] = "Entity expansion exceeds the limit.";

}  // namespace text
}  // namespace traverse

#endif
