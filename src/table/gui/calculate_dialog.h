#pragma once

#include "table/table_operations.h"

#include <QDialog>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace quorvex {

// "Calculate": arithmetic with a value on the X or the Y column of the current pair, or the
// Lagrange interpolation of pair 1 at the X values of pair 2.
class CalculateDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalculateDialog(QWidget* parent = nullptr);

    bool onY() const;
    // The chosen operation; nothing when none is selected.
    std::optional<Arithmetic> operation() const;
    bool valueFirst() const;
    bool lagrange() const;
    QString valueText() const;

    QComboBox* columnBox;
    QLineEdit* valueField;
    QToolButton* calculatorButton;
    QButtonGroup* operationGroup;
    QButtonGroup* orderGroup;
    QCheckBox* lagrangeBox;
};

} // namespace quorvex
