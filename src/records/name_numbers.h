// Target names numbered in order of first appearance: 0 for the first name met, 1 for the next new
// one, and so on.
#ifndef TRAVERSE_RECORDS_NAME_NUMBERS_H
#define TRAVERSE_RECORDS_NAME_NUMBERS_H

#include <array>
#include <cstddef>
#include <string_view>
#include <unordered_map>

namespace traverse {

// A round may hold many thousands of targets: past a few, the names are looked up, not searched.
// The few are searched in place, without an allocation: most rounds read a handful of targets,
// and every station's reduction numbers its names. The name after the last one found is tried
// first: every round reads its targets in the same order, from the first one. The names must
// outlive the numbering.
class NameNumbers {
public:
    // The number of name (byte-exact), a new one, Count() before the call, when it is new.
    std::size_t Number(std::string_view name);
    // The number of name; Count() when it has none.
    std::size_t Find(std::string_view name) const;
    std::size_t Count() const { return m_count; }

private:
    // Among the first names, number hint first, then from the first on; Count() when it is not
    // there.
    std::size_t SearchFew(std::string_view name, std::size_t hint) const;

    static constexpr std::size_t kFew = 16;
    std::array<std::string_view, kFew> m_few;  // the first names, by number
    std::size_t m_count = 0;
    std::size_t m_after = 0;  // the number after the last one given: rounds repeat their order
    std::unordered_map<std::string_view, std::size_t> m_many;  // every name past kFew names
};

}  // namespace traverse

#endif
