#pragma once

#include "exchange/text_data.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace quorvex {

// "Options of data file": delimiter, which columns, and an optional first line.
class TExportTO : public QDialog {
    Q_OBJECT
public:
    explicit TExportTO(QWidget* parent = nullptr);
    DataFileOptions options() const;

    QButtonGroup* RadioGroup1; // 0 Space, 1 Tab
    QButtonGroup* RadioGroup2; // 0 current columns X-Y, 1 all columns
    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
};

} // namespace quorvex
