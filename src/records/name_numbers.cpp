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

std::size_t NameNumbers::SearchFew(std::string_view name, std::size_t from) const {
    for (std::size_t searched = 0, i = from; searched < m_count; ++searched, ++i) {
        if (i >= m_count) i = 0;
        // The first byte tells most names of the same length apart without a call to compare.
        const std::string_view few = m_few[i];
        if (few.size() == name.size() && (name.empty() || few[0] == name[0]) && few == name) {
            return i;
        }
    }
    return m_count;
}

}  // namespace traverse
