#include "records/name_numbers.h"

namespace traverse {

std::size_t NameNumbers::Number(std::string_view name) {
    const std::size_t found = m_count > kFew ? Find(name) : SearchFew(name, m_after);
    if (found != m_count) {
        m_after = found + 1;
        return found;
    }
    if (m_count < kFew) {
        m_few[m_count] = name;
    } else {
        if (m_many.empty()) {
            for (std::size_t i = 0; i < kFew; ++i) m_many.emplace(m_few[i], i);
        }
        m_many.emplace(name, m_count);
    }
    m_after = m_count + 1;
    return m_count++;
}

std::size_t NameNumbers::Find(std::string_view name) const {
    if (m_count <= kFew) return SearchFew(name, 0);
    const auto found = m_many.find(name);
    return found == m_many.end() ? m_count : found->second;
}

namespace {

// The first byte tells most names of the same length apart without a call to compare.
bool Same(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || a[0] == b[0]) && a == b;
}

}  // namespace

std::size_t NameNumbers::SearchFew(std::string_view name, std::size_t hint) const {
    if (hint < m_count && Same(m_few[hint], name)) return hint;
    for (std::size_t i = 0; i < m_count; ++i) {
        if (Same(m_few[i], name)) return i;
    }
    return m_count;
}

}  // namespace traverse
