#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace quorvex {

// The text cells of the Table, stored sparsely: a row that holds nothing costs one empty string,
// and a row's cells are packed into one buffer of (column, length, UTF-8 bytes) entries sorted by
// column, so a full row of number texts costs little more than the texts themselves. Cells keep
// their text whatever part of the grid is shown.
class TableStore {
public:
    static constexpr int kMaxColumns = 41;

    QString cell(int column, int row) const;
    bool isEmpty(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Empties the given columns in rows first..last (inclusive).
    void clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow);
    void clear();
    // Exchanges two whole rows (all columns), as sorting does.
    void swapRows(int a, int b);
    // Removes rows first..last and moves the rows below up.
    void removeRows(int first, int last);

    // Appends the UTF-8 texts of columns first..last of a row to `out`, joined by the delimiter
    // (nothing for an empty cell), reading the row once. This is how rows are saved.
    void appendRowText(int row, int firstColumn, int lastColumn, char delimiter,
                       QByteArray& out) const;
    // Replaces columns 1..fields.size() of a row with UTF-8 fields (an empty field empties its
    // cell); columns beyond keep their text.
    void replaceLeadingCells(int row, const std::vector<QByteArrayView>& fields);

    // Rows 0 .. storedRows() - 1 may hold cells; every row beyond is empty.
    int storedRows() const { return static_cast<int>(rows_.size()); }
    // The bytes the store holds on the heap and in its row table.
    std::size_t memoryBytes() const;

private:
    // Finds the entry of a column in a row buffer; returns its offset or npos.
    static std::size_t find(const std::string& row, int column, std::size_t* length);

    std::vector<std::string> rows_;
};

} // namespace quorvex
