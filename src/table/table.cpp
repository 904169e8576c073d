#include "table/table.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "core/round.h"

#include <algorithm>

namespace quorvex {

Table::Table(QObject* parent) : QObject(parent) {
    nextRow_.fill(1);
    store_.setCell(1, 0, QStringLiteral("X1"));
    store_.setCell(2, 0, QStringLiteral("Y1"));
}

QString Table::cell(int column, int row) const {
    if (column == 0) {
        if (row == 0) return QStringLiteral("N");
        return row > 0 ? QString::number(row) : QString();
    }
    return store_.cell(column, row);
}

void Table::setCell(int column, int row, const QString& text) {
    if (column <= 0 || column >= TableStore::kMaxColumns || row < 0) return;
    store_.setCell(column, row, text);
    announce(column, row, column, row);
}

void Table::setCurveText(const QString& text) {
    if (text == curveText_) return;
    curveText_ = text;
    emit curveTextChanged(text);
}

int Table::currentCurve() const {
    return std::clamp(parseInt(curveText_), 1, kMaxPairs);
}

int Table::nextRow(int curve) const {
    return nextRow_[static_cast<std::size_t>(std::clamp(curve, 1, kMaxPairs))];
}

void Table::setNextRow(int curve, int row) {
    // Row 0 is the title row: a curve never continues there.
    nextRow_[static_cast<std::size_t>(std::clamp(curve, 1, kMaxPairs))] = std::max(row, 1);
}

bool Table::appendPoint(double x, double y) {
    const int n = currentCurve();
    const int r = nextRow(n);
    if (r > kMaxRows || r < 1) return false;
    revealPair(n);
    store_.setCell(2 * n - 1, r, NumberText(x));
    store_.setCell(2 * n, r, NumberText(y));
    if (rowCount_ < r) setRowCount(rowCount_ + 1);
    setNextRow(n, r + 1);
    announce(2 * n - 1, r, 2 * n, r);
    return true;
}

void Table::revealPair(int curve) {
    curve = std::clamp(curve, 1, kMaxPairs);
    if (curve <= pairCount_) return;
    setPairCount(curve);
    writeHeaders(curve, curve);
}

int Table::lastFilledRow(int curve) const {
    const int xColumn = 2 * std::clamp(curve, 1, kMaxPairs) - 1;
    for (int row = store_.storedRows() - 1; row >= 1; --row)
        if (!store_.isEmpty(xColumn, row) || !store_.isEmpty(xColumn + 1, row)) return row;
    return 0;
}

void Table::announce(int firstColumn, int firstRow, int lastColumn, int lastRow) {
    if (lastRow >= 1) {
        const int firstPair = std::max(1, (firstColumn + 1) / 2);
        const int lastPair = std::min(kMaxPairs, (lastColumn + 1) / 2);
        for (int pair = firstPair; pair <= lastPair; ++pair)
            ++pairRevision_[static_cast<std::size_t>(pair)];
    }
    emit cellsChanged(firstColumn, firstRow, lastColumn, lastRow);
}

void Table::writeHeaders(int plainPairs, int currentPair) {
    for (int k = 1; k <= plainPairs; ++k) {
        store_.setCell(2 * k - 1, 0, QStringLiteral("X%1").arg(k));
        store_.setCell(2 * k, 0, QStringLiteral("Y%1").arg(k));
    }
    store_.setCell(2 * currentPair - 1, 0, QStringLiteral("X%1*").arg(currentPair));
    store_.setCell(2 * currentPair, 0, QStringLiteral("Y%1*").arg(currentPair));
    announce(1, 0, gridColumnCount() - 1, 0);
}

void Table::nextCurve() {
    int n = parseInt(curveText_);
    if (n < 1 || n > kMaxPairs) {
        setCurveText(QStringLiteral("1"));
        n = 1;
    }
    emit curveSwitched();
    // There are twenty curves: a step up from the last one stays there.
    if (n == kMaxPairs) return;
    if (2 * n + 1 == gridColumnCount()) setPairCount(n + 1);
    n += 1;
    setCurveText(QString::number(n));
    // The curve continues after its last point, so a click never overwrites one of them.
    setNextRow(n, lastFilledRow(n) + 1);
    writeHeaders(n, n);
}

void Table::previousCurve() {
    int n = parseInt(curveText_);
    if (n <= 0 || n > kMaxPairs) {
        setCurveText(QStringLiteral("1"));
        n = 1;
    }
    if (n == 1) return;
    n -= 1;
    setCurveText(QString::number(n));
    emit curveSwitched();
    writeHeaders(pairCount_, n);
}

void Table::setPairCount(int count) {
    count = std::clamp(count, 1, kMaxPairs);
    if (count == pairCount_) return;
    pairCount_ = count;
    importedColumns_ = 0;
    emit pairCountChanged(count);
    emit shapeChanged();
}

void Table::setRowCount(int count) {
    count = std::clamp(count, 1, kMaxRows);
    if (count == rowCount_) return;
    rowCount_ = count;
    emit rowCountChanged(count);
    emit shapeChanged();
}

void Table::clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow) {
    if (lastRow < firstRow) return;
    store_.clearCells(firstColumn, lastColumn, firstRow, lastRow);
    announce(firstColumn, firstRow, lastColumn, lastRow);
}

void Table::clearAllPairs() {
    store_.clearCells(1, gridColumnCount() - 1, 1, gridRowCount() - 1);
    // Half the number of data columns, rounded halves to even.
    const int pairs = Round((gridColumnCount() - 1) / 2.0);
    for (int k = 1; k <= std::min(pairs, kMaxPairs); ++k)
        setNextRow(k, 1);
    announce(1, 1, gridColumnCount() - 1, gridRowCount() - 1);
}

void Table::clearCurrentPair() {
    const int n = currentCurve();
    setNextRow(n, 1);
    store_.clearCells(2 * n - 1, 2 * n, 1, gridRowCount() - 1);
    announce(2 * n - 1, 1, 2 * n, gridRowCount() - 1);
}

void Table::clearForNewImage() {
    store_.clearCells(1, 2, 1, gridRowCount() - 1);
    setRowCount(kStartRows);
    setNextRow(1, 1);
    announce(1, 1, 2, gridRowCount() - 1);
}

void Table::importRow(int row, std::vector<QByteArrayView>& fields) {
    if (row < 1 || row > kMaxRows) return;
    if (!fields.empty() && fields.back().isEmpty()) fields.pop_back();
    store_.replaceLeadingCells(row, fields);
}

void Table::finishImport(int lines, int widestLine) {
    lines = std::min(lines, kMaxRows);
    widestLine = std::min(widestLine, TableStore::kMaxColumns - 1);
    // The file replaces the pairs it reaches: their rows below it are emptied, so no old point
    // stays inside the imported curve.
    const int importedColumns = std::min(2 * ((widestLine + 1) / 2), TableStore::kMaxColumns - 1);
    if (importedColumns > 0 && store_.storedRows() > lines + 1)
        store_.clearCells(1, importedColumns, lines + 1, store_.storedRows() - 1);
    if (lines > rowCount_) setRowCount(lines);
    if (widestLine > gridColumnCount() - 1) {
        importedColumns_ = widestLine;
        emit shapeChanged();
    }
    announce(1, 1, gridColumnCount() - 1, std::max(store_.storedRows() - 1, std::max(lines, 1)));
}

Table::Shape Table::shape() const {
    Shape s;
    s.nextRow = nextRow_;
    s.pairCount = pairCount_;
    s.rowCount = rowCount_;
    s.importedColumns = importedColumns_;
    return s;
}

void Table::setShape(const Shape& shape) {
    for (std::size_t k = 1; k < nextRow_.size(); ++k)
        nextRow_[k] = std::clamp(shape.nextRow[k], 1, kMaxRows + 1);
    setPairCount(shape.pairCount);
    setRowCount(shape.rowCount);
    importedColumns_ = std::clamp(shape.importedColumns, 0, TableStore::kMaxColumns - 1);
    emit shapeChanged();
}

void Table::replaceContents(const Table& other) {
    store_ = other.store_;
    setShape(other.shape());
    setCurveText(other.curveText());
    announce(1, 0, TableStore::kMaxColumns - 1, std::max(store_.storedRows() - 1, rowCount_));
    if (holdsData()) emit dataAvailable();
}

void Table::beginChange() {
    if (changeDepth_++ > 0) return;
    shapeBefore_ = shape();
    store_.startJournal();
}

Table::Change Table::endChange() {
    if (changeDepth_ == 0 || --changeDepth_ > 0) return {};
    Change change;
    change.cells = store_.finishJournal();
    change.before = shapeBefore_;
    change.after = shape();
    return change;
}

void Table::applyChange(Change& change, bool undo) {
    const Shape& target = undo ? change.before : change.after;
    const Shape& other = undo ? change.after : change.before;
    change.cells = store_.exchange(change.cells);
    // Only what the change itself altered goes back: a curve switched to since keeps its row.
    for (std::size_t k = 1; k < nextRow_.size(); ++k)
        if (target.nextRow[k] != other.nextRow[k]) nextRow_[k] = target.nextRow[k];
    if (target.pairCount != other.pairCount) setPairCount(target.pairCount);
    if (target.rowCount != other.rowCount) setRowCount(target.rowCount);
    if (target.importedColumns != other.importedColumns) {
        importedColumns_ = target.importedColumns;
        emit shapeChanged();
    }
    const CellTexts& cells = change.cells;
    if (cells.titlesChanged()) announce(1, 0, gridColumnCount() - 1, 0);
    if (cells.hasDataCells())
        announce(cells.firstColumn(), cells.firstRow(), cells.lastColumn(), cells.lastRow());
    if (cells.hasDataCells()) emit dataAvailable();
}

void Table::tableEdited(int /*column*/, int row) {
    emit dataAvailable();
    const int n = currentCurve();
    if (nextRow(n) < row) setNextRow(n, row);
}

QString Table::clearAllCaption() const {
    return message(Msg::ClearAllColumns);
}

QString Table::clearPairCaption() const {
    if (curveText_ == QLatin1String("1")) return message(Msg::ClearOnlyPair1);
    return message(Msg::ClearOnlyPairN).arg(curveText_);
}

bool Table::holdsData() const {
    for (int row = 1; row < store_.storedRows(); ++row)
        if (store_.rowHoldsText(row)) return true;
    return false;
}

bool Table::firstRowHasData() const {
    for (int column = 1; column < gridColumnCount(); ++column)
        if (!store_.isEmpty(column, 1)) return true;
    return false;
}

} // namespace quorvex
