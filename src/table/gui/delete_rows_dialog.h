#pragma once

#include <QDialog>
#include <functional>

class QSpinBox;

namespace quorvex {

// "Delete Rows": the range of rows to delete from every pair. It stays on top of the main
// window without blocking it; OK asks for the deletion and closes, and the dialog is gone
// once closed.
class DeleteRowsDialog : public QDialog {
    Q_OBJECT
public:
    // `rowCount` gives the Table's row count, the largest row either field takes.
    DeleteRowsDialog(std::function<int()> rowCount, QWidget* parent = nullptr);

    QSpinBox* fromBox;
    QSpinBox* toBox;

signals:
    void deleteRequested(int from, int to);

protected:
    void changeEvent(QEvent* event) override;

private:
    void limitToRowCount();
    std::function<int()> rowCount_;
};

} // namespace quorvex
