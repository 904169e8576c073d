#pragma once

#include "exchange/clipboard_text.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QSpinBox;

namespace quorvex {

// "Copy to Clipboard": what to copy (eight modes), the separator between fields and, for the
// custom mode, the range of columns and rows. Each time it becomes active it offers the first
// mode and TAB again.
class CopyToClipboardDialog : public QDialog {
    Q_OBJECT
public:
    explicit CopyToClipboardDialog(QWidget* parent = nullptr);

    CopyMode mode() const;
    char separator() const;
    // Left, top, right, bottom as typed.
    CopyRange customRange() const;

    QComboBox* modeBox;
    QComboBox* separatorBox;
    QGroupBox* customGroup;
    QSpinBox* leftBox;
    QSpinBox* rightBox;
    QSpinBox* topBox;
    QSpinBox* bottomBox;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace quorvex
