#pragma once

#include "table/number_format.h"
#include "table/table_operations.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace quorvex {

// "Data format": rewrites the numbers of the current pair in one of four formats. It stays on
// top of the main window without blocking it and keeps its choices while the program runs.
class DataFormatDialog : public QDialog {
    Q_OBJECT
public:
    // `example` gives the numbers of row 1 of the current pair, when both are there.
    using ExampleValues = std::function<std::optional<std::pair<double, double>>()>;
    explicit DataFormatDialog(ExampleValues example, QWidget* parent = nullptr);

    // The chosen format with the locale's separators; nothing before a format is chosen.
    std::optional<NumberStyle> style() const;
    FormatColumns columns() const;
    // While a format is applied, Apply and Ok wait.
    void setApplying(bool applying);

    QButtonGroup* formatGroup;
    QSpinBox* precisionBox;
    QSpinBox* digitsBox;
    QButtonGroup* columnsGroup;
    QPushButton* applyButton;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPlainTextEdit* explanation;
    QLabel* exampleLabel;

signals:
    // Apply (and Ok, which then hides the dialog).
    void applyRequested();

private:
    void formatChosen();
    void showExample();

    ExampleValues example_;
};

} // namespace quorvex
