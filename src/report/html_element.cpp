#include "report/html_element.h"

namespace traverse {

Element::Element(Literal name) : m_name(name), m_start(Markup("<") + Markup(name)) {}

Element& Element::Attr(Literal name, std::string_view text) {
    m_start += Markup(" ") + Markup(name) + Markup("=\"") + Text(text) + Markup("\"");
    return *this;
}

Element& Element::Attr(Literal name, double plotUnits) {
    m_start += Markup(" ") + Markup(name) + Markup("=\"") + Num("%.1f", plotUnits) + Markup("\"");
    return *this;
}

Element& Element::Class(std::string_view cssClass) {
    return cssClass.empty() ? *this : Attr("class", cssClass);
}

Html Element::Open() const { return m_start + Markup(">"); }

Html Element::Empty() const { return m_start + Markup("/>"); }

Html Element::Wrap(const Html& content) const {
    return Open() + content + Markup("</") + Markup(m_name) + Markup(">");
}

}  // namespace traverse
