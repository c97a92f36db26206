// One HTML or SVG element: its name and attributes come from the program, attribute values are
// escaped, and SVG numbers are plot units to a tenth.
#ifndef TRAVERSE_REPORT_HTML_ELEMENT_H
#define TRAVERSE_REPORT_HTML_ELEMENT_H

#include <string>
#include <string_view>

#include "report/html.h"

namespace traverse {

class Element {
public:
    explicit Element(Literal name);
    // name="text", text escaped.
    Element& Attr(Literal name, std::string_view text);
    // name="12.3": a coordinate or length of the plot.
    Element& Attr(Literal name, double plotUnits);
    // class="cssClass"; nothing when cssClass is empty.
    Element& Class(std::string_view cssClass);

    Html Open() const;                     // <name ...>
    Html Empty() const;                    // <name .../>
    Html Wrap(const Html& content) const;  // <name ...>content</name>

private:
    // Starts an attribute: name=" follows.
    void StartAttr(Literal name);

    Literal m_name;
    std::string m_start;  // <name and the attributes, markup
};

inline Element Tag(Literal name) { return Element(name); }
inline Element Svg(Literal name) { return Element(name); }

}  // namespace traverse

#endif
