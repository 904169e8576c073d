#pragma once

#include <QAbstractTableModel>

namespace quorvex {

class Table;
class TableHistory;

// The grid on screen over the Table: model rows and columns are the Table's data rows and
// columns (Table row r is model row r - 1); the headers show row 0 and column 0. Nothing is
// copied, so a 100000-row Table costs the view nothing beyond what is on screen. Each edit is a
// change of the history, when there is one.
class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableGridModel(Table* table, TableHistory* history = nullptr,
                            QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // An edit was stored but the Table could not follow it (a curve number that is no
    // integer); the text is the message for the user.
    void failed(const QString& text);

private:
    void onCellsChanged(int firstColumn, int firstRow, int lastColumn, int lastRow);
    void onShapeChanged();

    Table* table_;
    TableHistory* history_;
    int shownRows_;
    int shownColumns_;
};

} // namespace quorvex
