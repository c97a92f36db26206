#include "fieldcheck/text_table.h"

#include <algorithm>

namespace traverse {

void TextTable::AppendTo(std::string& out, const std::string& indent) const {
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& row : m_rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    for (const std::vector<std::string>& row : m_rows) {
        std::string line = indent;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const std::string& cell = i < row.size() ? row[i] : std::string();
            const std::string padding(widths[i] - cell.size(), ' ');
            if (i > 0) line += "  ";
            const bool left = i < m_leftAligned.size() && m_leftAligned[i];
            line += left ? cell + padding : padding + cell;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += "\r\n";
    }
}

}  // namespace traverse
