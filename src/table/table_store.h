#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// Texts of cells, packed for the history of changes: row by row, the distance from the previous
// row, the number of cells, then each cell's column, length and UTF-8 bytes (the numbers as
// variable-length integers), so a change keeps little more than the texts it replaced. An empty
// text stands for an empty cell.
class CellTexts {
public:
    bool empty() const { return packed_.empty(); }
    std::size_t memoryBytes() const { return packed_.capacity(); }
    // The block the data cells (row 1 on) lie in; no block when only titles changed.
    bool hasDataCells() const { return lastRow_ >= 1; }
    int firstColumn() const { return firstColumn_; }
    int lastColumn() const { return lastColumn_; }
    int firstRow() const { return firstRow_; }
    int lastRow() const { return lastRow_; }
    bool titlesChanged() const { return titles_; }
    // The old texts of two changes done one after the other, as one change: a cell both
    // changed keeps the text it had before the earlier one.
    static CellTexts combined(const CellTexts& earlier, const CellTexts& later);

private:
    friend class TableStore;
    void beginRow(int row, int cells);
    void addCell(int column, std::string_view utf8);
    void finish() { packed_.shrink_to_fit(); }

    std::string packed_;
    int previousRow_ = 0;
    int firstColumn_ = 0, lastColumn_ = -1, firstRow_ = 0, lastRow_ = -1;
    bool titles_ = false;
};

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
    // The UTF-8 bytes of a cell (empty for an empty cell), valid until its row changes.
    std::string_view cellBytes(int column, int row) const;
    void setCellBytes(int column, int row, std::string_view utf8);
    // Writes two adjacent cells of a row (column and column + 1) at once.
    void setPairBytes(int column, int row, std::string_view first, std::string_view second);
    // Moves the cells of columns column and column + 1 between rows: row firstRow + i receives
    // the two cells of row firstRow + source[i] (source is a permutation of 0 .. size - 1). Other
    // columns stay where they are.
    void permutePairRows(int column, int firstRow, const std::vector<int>& source);
    // Empties the given columns in rows first..last (inclusive).
    void clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow);
    void clear();
    // Removes rows first..last and moves the rows below up.
    void removeRows(int first, int last);

    // Appends the UTF-8 texts of columns first..last of a row to `out`, joined by the delimiter
    // (nothing for an empty cell), reading the row once. This is how rows are saved.
    void appendRowText(int row, int firstColumn, int lastColumn, char delimiter,
                       QByteArray& out) const;
    // Replaces columns 1..fields.size() of a row with UTF-8 fields (an empty field empties its
    // cell); columns beyond keep their text.
    void replaceLeadingCells(int row, const std::vector<QByteArrayView>& fields);

    // The journal of a change: from startJournal() on, every row keeps the texts it had before
    // its first change, and finishJournal() returns the old texts of exactly the cells whose
    // text differs now. exchange() writes such texts back and returns the texts they replaced,
    // which undoes a change and, applied to its result, redoes it.
    void startJournal();
    bool journaling() const { return journaling_; }
    CellTexts finishJournal();
    CellTexts exchange(const CellTexts& texts);

    // Makes rows 0 .. count - 1 exist, so that rows can then be written from several threads at
    // once (each row by one of them; the journal must not run).
    void ensureRows(int count) {
        if (count > storedRows()) rows_.resize(static_cast<std::size_t>(count));
    }
    bool rowHoldsText(int row) const {
        return row >= 0 && row < storedRows() && !rows_[static_cast<std::size_t>(row)].empty();
    }
    // Rows 0 .. storedRows() - 1 may hold cells; every row beyond is empty.
    int storedRows() const { return static_cast<int>(rows_.size()); }
    // The bytes the store holds on the heap and in its row table.
    std::size_t memoryBytes() const;

private:
    // Replaces `count` (1 or 2) adjacent cells of a row, rebuilding the row once.
    void writeCells(int column, int row, const std::string_view* texts, int count);
    // Finds the entry of a column in a row buffer; returns its offset or npos.
    static std::size_t find(const std::string& row, int column, std::size_t* length);

    // Keeps a row's texts before its first change while the journal runs.
    void remember(int row) {
        if (journaling_) rememberRow(row);
    }
    void rememberRow(int row);

    std::vector<std::string> rows_;
    bool journaling_ = false;
    std::vector<bool> remembered_;
    // The rows as they were, in one buffer: (row, offset, length) of each.
    struct JournalEntry {
        int row;
        std::size_t offset, length;
    };
    std::vector<JournalEntry> journal_;
    std::string journalBytes_;
};

} // namespace quorvex
