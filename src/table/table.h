#pragma once

#include "table/table_store.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quorvex {

// The Table: column pairs of text cells, one pair per curve, the current curve and the row
// where each curve's next point goes. Column 0 holds the row numbers and row 0 the headers.
// Changes are announced by signals, so the grid on screen follows whoever changed the Table.
class Table : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPairs = 20;
    static constexpr int kMaxRows = 100000;
    static constexpr int kStartRows = 30;

    explicit Table(QObject* parent = nullptr);

    // The grid: columns 0 .. 2 * pairCount(), rows 0 .. rowCountSetting().
    int pairCount() const { return pairCount_; }
    int rowCountSetting() const { return rowCount_; }
    // An import may add columns beyond the pairs; they show until the pair count changes.
    int gridColumnCount() const { return std::max(2 * pairCount_, importedColumns_) + 1; }
    int gridRowCount() const { return rowCount_ + 1; }

    // Any cell, also hidden ones; column 0 shows "N" and the row numbers.
    QString cell(int column, int row) const;
    bool isEmpty(int column, int row) const { return cell(column, row).isEmpty(); }
    void setCell(int column, int row, const QString& text);
    const TableStore& store() const { return store_; }
    TableStore& store() { return store_; }

    // The text of the curve-number field and the curve it names. currentCurve() reads the
    // number at the moment of use (ConversionError for a text that is no integer) and keeps
    // it within 1 .. 20.
    const QString& curveText() const { return curveText_; }
    void setCurveText(const QString& text);
    int currentCurve() const;
    // "N" followed by the curve text: the Table page's curve label.
    QString curveLabel() const { return QStringLiteral("N") + curveText_; }

    // The row that receives the curve's next point: always 1 or more (row 0 holds the titles).
    int nextRow(int curve) const;
    void setNextRow(int curve, int row);

    // Writes a point of the current curve into its next row as NumberText. Returns false when
    // the row lies beyond the largest Table: the point is then dropped.
    bool appendPoint(double x, double y);

    void nextCurve();
    void previousCurve();
    void setPairCount(int count); // 1 .. 20
    void setRowCount(int count);  // 1 .. 100000
    // Announces cells written straight into the store (both bounds inclusive).
    void cellsWritten(int firstColumn, int firstRow, int lastColumn, int lastRow) {
        announce(firstColumn, firstRow, lastColumn, lastRow);
    }
    // Counts the changes of a pair's data rows (row 1 on): whoever remembers rows by number
    // (the undo record) compares it to know whether those rows still hold what it wrote.
    std::uint64_t pairRevision(int curve) const {
        return pairRevision_[static_cast<std::size_t>(std::clamp(curve, 1, kMaxPairs))];
    }
    // A pair that receives points is shown: the pair count grows to it and the headers name
    // it as the current pair.
    void revealPair(int curve);
    // The last row of the pair that holds text in either cell, 0 when it is empty.
    int lastFilledRow(int curve) const;
    // Empties a block of cells (both bounds inclusive).
    void clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow);
    void clearAllPairs();
    void clearCurrentPair();
    // Empties pair 1 and returns the Table to 30 rows; other pairs keep their data.
    void clearForNewImage();
    // Puts lines of UTF-8 fields into the Table from row 1 and column 1: the grid grows by the
    // rows and columns needed (up to 100000 rows and 40 columns); a last empty field of a line
    // is not stored, every other field replaces its cell. Headers and the pair count stay.
    void importRow(int row, std::vector<QByteArrayView>& fields);
    void finishImport(int lines, int widestLine);

    // After the user edited a cell (or a file was imported): the current curve continues
    // after that row when it had not reached it yet.
    void tableEdited(int column, int row);

    // The grid's shape and the rows where the curves continue: what a change may alter besides
    // the cells.
    struct Shape {
        std::array<int, kMaxPairs + 1> nextRow{};
        int pairCount = 1, rowCount = kStartRows, importedColumns = 0;
        bool operator==(const Shape& o) const {
            return nextRow == o.nextRow && pairCount == o.pairCount && rowCount == o.rowCount &&
                   importedColumns == o.importedColumns;
        }
    };
    // One change of the Table as the history keeps it: the old texts of the cells it changed
    // and the shape before and after it.
    struct Change {
        CellTexts cells;
        Shape before, after;
        bool empty() const { return cells.empty() && before == after; }
        std::size_t memoryBytes() const { return sizeof(Change) + cells.memoryBytes(); }
    };
    // Between beginChange() and the matching endChange() every change is collected into one
    // (calls nest: the outermost pair collects).
    void beginChange();
    bool changing() const { return changeDepth_ > 0; }
    // Returns what changed since the outermost beginChange(); empty for an inner call.
    Change endChange();
    // Takes a change back (undo) or does it again; either way the change then holds what is
    // needed to go the other way. The grid hears of the cells and the shape.
    void applyChange(Change& change, bool undo);
    Shape shape() const;
    // Puts a whole shape in place (a Table read back from a file).
    void setShape(const Shape& shape);
    // Takes over another Table's cells, shape and current curve (an opened project).
    void replaceContents(const Table& other);

    // Captions of the Clear drop-down, and whether "Clear all columns" is available there.
    QString clearAllCaption() const;
    QString clearPairCaption() const;
    bool clearAllEnabled() const { return pairCount_ > 1; }

    // Whether any data cell (row 1 on, shown or not) holds text.
    bool holdsData() const;
    // True while any cell of row 1 in the shown columns holds text.
    bool firstRowHasData() const;

signals:
    // Cells in the rectangle changed (inclusive bounds).
    void cellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // The number of shown columns or rows changed.
    void shapeChanged();
    void curveTextChanged(const QString& text);
    void pairCountChanged(int count);
    void rowCountChanged(int count);
    // Manual input and search in area end whenever the curve is switched.
    void curveSwitched();
    // The Table now holds data: the commands that work on data become usable.
    void dataAvailable();

private:
    void writeHeaders(int plainPairs, int currentPair);
    // Every change of cells goes out through here: the pairs whose data rows it touched get a
    // new revision, then the grid hears of it.
    void announce(int firstColumn, int firstRow, int lastColumn, int lastRow);

    TableStore store_;
    int pairCount_ = 1;
    int importedColumns_ = 0;
    int rowCount_ = kStartRows;
    QString curveText_ = QStringLiteral("1");
    std::array<int, kMaxPairs + 1> nextRow_;
    std::array<std::uint64_t, kMaxPairs + 1> pairRevision_{};
    int changeDepth_ = 0;
    Shape shapeBefore_;
};

} // namespace quorvex
