#include "exchange/gui/export_dialog.h"

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

TExportTO::TExportTO(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportTO"));
    setWindowTitle(QStringLiteral("Options of data file"));
    auto* layout = new QVBoxLayout(this);
    RadioGroup1 =
        radioGroup(this, layout, "RadioGroup1", "Delimiter between columns", {"Space", "Tab"}, 1);
    RadioGroup2 = radioGroup(this, layout, "RadioGroup2", "Save from TABLE",
                             {"current columns X-Y", "all columns"}, 0);
    CheckBox1 = new QCheckBox(QStringLiteral("Include  text in the first line of saved file"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(CheckBox1);
    Edit1 = new QLineEdit(QStringLiteral("Text"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(Edit1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

DataFileOptions TExportTO::options() const {
    DataFileOptions o;
    o.tab = RadioGroup1->checkedId() == 1;
    o.allColumns = RadioGroup2->checkedId() == 1;
    o.firstLine = CheckBox1->isChecked();
    o.firstLineText = Edit1->text();
    return o;
}

} // namespace quorvex
