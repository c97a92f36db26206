// The XML access layer's own limits on a record file, standing beside its English parse reasons.
// One identifier per text, each defined once here: callers name a text only as text::kName and use
// it as a C string (printf formats say what fills each place), so a second language is a second
// column of this table, chosen at run time, and never an edit where the text is used.
#ifndef TRAVERSE_XML_XML_TEXTS_H
#define TRAVERSE_XML_XML_TEXTS_H

namespace traverse {
namespace text {

// The parse reasons of the XML access layer are English; these stand beside them.
constexpr char kXmlFileTooLarge[] = "The file is larger than 512 MB, more than a record file can hold.";
constexpr char kXmlNestedTooDeep[] = "Elements are nested more than 1048576 levels deep.";
constexpr char kXmlNameTooLong[] = "A name is longer than 50000 characters.";
constexpr char kXmlEntitiesTooDeep[] = "Entity references are nested more than 40 levels deep.";
constexpr char kXmlEntityExpansionTooLarge[] = "Entity expansion exceeds the limit.";

}  // namespace text
}  // namespace traverse

#endif
