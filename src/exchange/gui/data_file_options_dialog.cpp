#include "exchange/gui/data_file_options_dialog.h"

#include "components/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvex {

DataFileOptionsDialog::DataFileOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportTO"));
    setWindowTitle(QStringLiteral("Options of data file"));
    auto* layout = new QVBoxLayout(this);
    const RadioBox delimiter = radioBox(
        this, "RadioGroup1", QStringLiteral("Delimiter between columns"), {"Space", "Tab"}, 1, 1);
    delimiterGroup = delimiter.group;
    layout->addWidget(delimiter.box);
    const RadioBox columns = radioBox(this, "RadioGroup2", QStringLiteral("Save from TABLE"),
                                      {"current columns X-Y", "all columns"}, 1, 0);
    columnsGroup = columns.group;
    layout->addWidget(columns.box);
    firstLineBox = new QCheckBox(QStringLiteral("Include  text in the first line of saved file"));
    firstLineBox->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(firstLineBox);
    firstLineField = new QLineEdit(QStringLiteral("Text"));
    firstLineField->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(firstLineField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

DataFileOptions DataFileOptionsDialog::options() const {
    DataFileOptions o;
    o.tab = delimiterGroup->checkedId() == 1;
    o.allColumns = columnsGroup->checkedId() == 1;
    o.firstLine = firstLineBox->isChecked();
    o.firstLineText = firstLineField->text();
    return o;
}

} // namespace quorvex
