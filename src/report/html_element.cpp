#include "report/html_element.h"

#include "report/html_text.h"

namespace traverse {

Element::Element(Literal name) : m_name(name), m_start("<") { m_start += name.c_str(); }

void Element::StartAttr(Literal name) {
    m_start += ' ';
    m_start += name.c_str();
    m_start += "=\"";
}

Element& Element::Attr(Literal name, std::string_view text) {
    StartAttr(name);
    m_start += EscapeHtml(text);
    m_start += '"';
    return *this;
}

Element& Element::Attr(Literal name, double plotUnits) {
    StartAttr(name);
    AppendText(m_start, "%.1f", plotUnits);  // digits, sign and point: nothing to escape
    m_start += '"';
    return *this;
}

Element& Element::Class(std::string_view cssClass) {
    return cssClass.empty() ? *this : Attr("class", cssClass);
}

Html Element::Open() const { return Html(m_start + '>'); }

Html Element::Empty() const { return Html(m_start + "/>"); }

Html Element::Wrap(const Html& content) const {
    std::string markup;
    markup.reserve(m_start.size() + content.m_markup.size() + 16);
    markup.append(m_start).append(">").append(content.m_markup);
    markup.append("</").append(m_name.c_str()).append(">");
    return Html(std::move(markup));
}

}  // namespace traverse
