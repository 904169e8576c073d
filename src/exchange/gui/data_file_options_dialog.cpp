#include "exchange/gui/data_file_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {
QButtonGroup* radioGroup(QWidget* owner, QVBoxLayout* layout, const char* name, const char* caption,
                         std::initializer_list<const char*> items, int checked) {
    auto* box = new QGroupBox(QString::fromLatin1(caption));
    box->setObjectName(QString::fromLatin1(name));
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(QString::fromLatin1(item));
        group->addButton(button, id);
        button->setChecked(id == checked);
        boxLayout->addWidget(button);
        ++id;
    }
    layout->addWidget(box);
    return group;
}
} // namespace

DataFileOptionsDialog::DataFileOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportTO"));
    setWindowTitle(QStringLiteral("Options of data file"));
    auto* layout = new QVBoxLayout(this);
    delimiterGroup =
        radioGroup(this, layout, "RadioGroup1", "Delimiter between columns", {"Space", "Tab"}, 1);
    columnsGroup = radioGroup(this, layout, "RadioGroup2", "Save from TABLE",
                              {"current columns X-Y", "all columns"}, 0);
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
