#pragma once

#include "exchange/text_data.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace quorvex {

// "Options of data file": delimiter, which columns, and an optional first line.
class DataFileOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DataFileOptionsDialog(QWidget* parent = nullptr);
    DataFileOptions options() const;

    QButtonGroup* delimiterGroup; // 0 Space, 1 Tab
    QButtonGroup* columnsGroup;   // 0 current columns X-Y, 1 all columns
    QCheckBox* firstLineBox;
    QLineEdit* firstLineField;
};

} // namespace quorvex
