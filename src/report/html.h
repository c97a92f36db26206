// Markup for the page as a type of its own: an Html value holds either escaped text or markup
// written in the program, so that no text read from a file can reach the page unescaped.
#ifndef TRAVERSE_REPORT_HTML_H
#define TRAVERSE_REPORT_HTML_H

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/c_number.h"

namespace traverse {

// A text written in the program itself: a string literal or a constant array, never a
// std::string or a pointer, which may hold what a file said.
class Literal {
public:
    template <std::size_t N>
    constexpr Literal(const char (&text)[N]) : m_text(text) {}  // NOLINT: implicit on purpose
    // A buffer the program filled may hold anything.
    template <std::size_t N>
    Literal(char (&text)[N]) = delete;
    constexpr const char* c_str() const { return m_text; }

private:
    const char* m_text;
};

class Html;
Html Text(std::string_view utf8);
Html Markup(Literal markup);
namespace detail {
// utf8 as text, kept without a copy when it has nothing to escape.
Html TextOf(std::string&& utf8);
}  // namespace detail

class Html {
public:
    Html() = default;
    Html& operator+=(const Html& more) {
        m_markup += more.m_markup;
        return *this;
    }
    friend Html operator+(Html first, const Html& second) { return first += second; }
    bool empty() const { return m_markup.empty(); }
    std::string Release() && { return std::move(m_markup); }
    void Reserve(std::size_t bytes) { m_markup.reserve(bytes); }

private:
    explicit Html(std::string markup) : m_markup(std::move(markup)) {}
    friend Html Text(std::string_view utf8);
    friend Html Markup(Literal markup);
    friend Html detail::TextOf(std::string&& utf8);
    friend class Element;  // escapes every value it writes
    std::string m_markup;
};

// utf8 as text on the page (EscapeHtml).
Html Text(std::string_view utf8);
// A GBK text of the library as text on the page.
Html GbkText(const std::string& gbk);
// Markup the program writes: tags, attributes, the style sheet.
Html Markup(Literal markup);

// Numbers formatted in the "C" locale (FormatText) as text; the format may hold words and signs
// such as the seconds' ", which are escaped.
template <typename... Numbers>
Html Num(const char* format, Numbers... numbers) {
    static_assert((std::is_arithmetic_v<Numbers> && ...), "Num formats numbers; texts go by Text");
    return detail::TextOf(FormatText(format, numbers...));
}

}  // namespace traverse

#endif
