// Rows of text cells written in aligned columns, for the field-check report.
#ifndef TRAVERSE_FIELDCHECK_TEXT_TABLE_H
#define TRAVERSE_FIELDCHECK_TEXT_TABLE_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace traverse {

// Each column is as wide as its widest cell, counted in bytes: a GBK character takes as many
// screen columns as it has bytes, so Chinese names line up too. Columns are two blanks apart.
class TextTable {
public:
    // leftAligned[i]: column i is aligned left; columns beyond the list are aligned right.
    explicit TextTable(std::vector<bool> leftAligned) : m_leftAligned(std::move(leftAligned)) {}

    // A new row, to be filled with its cells (fewer cells than columns leave the rest blank).
    std::vector<std::string>& AddRow() { return m_rows.emplace_back(); }

    // Appends every row, indented, each ending with "\r\n" and no trailing blanks.
    void AppendTo(std::string& out, const std::string& indent) const;

private:
    std::vector<bool> m_leftAligned;
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace traverse

#endif
