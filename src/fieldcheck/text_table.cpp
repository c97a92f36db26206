#include "fieldcheck/text_table.h"

#include <algorithm>

namespace traverse {

void TextTable::AppendTo(std::string& out, const std::string& indent) const {
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& row : m_rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    static const std::string kBlank;
    for (const std::vector<std::string>& row : m_rows) {
        const std::size_t lineStart = out.size();
        out += indent;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const std::string& cell = i < row.size() ? row[i] : kBlank;
            const std::size_t padding = widths[i] - cell.size();
            if (i > 0) out += "  ";
            const bool left = i < m_leftAligned.size() && m_leftAligned[i];
            if (!left) out.append(padding, ' ');
            out += cell;
            if (left) out.append(padding, ' ');
        }
        // No trailing blanks: cut back to the last character written in this line.
        const std::size_t last = out.find_last_not_of(' ');
        out.erase(last == std::string::npos || last < lineStart ? lineStart : last + 1);
        out += "\r\n";
    }
}

}  // namespace traverse
