#include "table/gui/table_grid_model.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "table/table.h"
#include "table/table_history.h"

#include <algorithm>
#include <optional>

namespace quorvex {

TableGridModel::TableGridModel(Table* table, TableHistory* history, QObject* parent)
    : QAbstractTableModel(parent), table_(table), history_(history),
      shownRows_(table->rowCountSetting()), shownColumns_(table->gridColumnCount() - 1) {
    connect(table_, &Table::cellsChanged, this, &TableGridModel::onCellsChanged);
    connect(table_, &Table::shapeChanged, this, &TableGridModel::onShapeChanged);
}

int TableGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int TableGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns_;
}

QVariant TableGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return table_->cell(index.column() + 1, index.row() + 1);
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int column = index.column() + 1, row = index.row() + 1;
    std::optional<TableChangeScope> change;
    if (history_) {
        const QString name = (column % 2 ? QStringLiteral("X") : QStringLiteral("Y")) +
                             QString::number((column + 1) / 2);
        change.emplace(*history_, message(Msg::ChangeCellEdit).arg(name).arg(row));
    }
    table_->setCell(column, row, value.toString());
    try {
        table_->tableEdited(index.column() + 1, index.row() + 1);
    } catch (const ConversionError& error) {
        // The cell keeps what was typed; the curve number that could not be read is reported.
        emit failed(error.message());
    }
    return true;
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return table_->cell(section + 1, 0);
    return table_->cell(0, section + 1);
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TableGridModel::onCellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow) {
    if (firstRow == 0) emit headerDataChanged(Qt::Horizontal, firstColumn - 1, lastColumn - 1);
    const int top = std::max(firstRow, 1) - 1, bottom = std::min(lastRow, shownRows_) - 1;
    const int left = std::max(firstColumn, 1) - 1, right = std::min(lastColumn, shownColumns_) - 1;
    if (top <= bottom && left <= right) emit dataChanged(index(top, left), index(bottom, right));
}

void TableGridModel::onShapeChanged() {
    const int rows = table_->rowCountSetting(), columns = table_->gridColumnCount() - 1;
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    } else if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    if (columns > shownColumns_) {
        beginInsertColumns({}, shownColumns_, columns - 1);
        shownColumns_ = columns;
        endInsertColumns();
    } else if (columns < shownColumns_) {
        beginRemoveColumns({}, columns, shownColumns_ - 1);
        shownColumns_ = columns;
        endRemoveColumns();
    }
}

} // namespace quorvex
