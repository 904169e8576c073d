#include "exchange/gui/copy_to_clipboard_dialog.h"

#include "components/widgets.h"
#include "table/table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvex {

CopyToClipboardDialog::CopyToClipboardDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TXY"));
    setWindowTitle(QStringLiteral("Copy to Clipboard"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    modeBox = named(new QComboBox, "ComboBox1");
    modeBox->addItems({QStringLiteral("Whole Table (without fixed column and row)"),
                       QStringLiteral("Whole Table (with fixed column and row)"),
                       QStringLiteral("Whole visible columns & rows (with fixed)"),
                       QStringLiteral("Whole visible columns & rows (without fixed)"),
                       QStringLiteral("X* column only"), QStringLiteral("Y* column only"),
                       QStringLiteral("Current X*-Y* columns only"), QStringLiteral("Custom...")});
    separatorBox = named(new QComboBox, "ComboBox2");
    separatorBox->addItems({QStringLiteral("TAB"), QStringLiteral("Space"), QStringLiteral("Comma"),
                            QStringLiteral(" ; ")});
    separatorBox->setToolTip(QStringLiteral("Separator betwen columns"));
    auto* modeLabel = new QLabel(QStringLiteral("&Copy :"));
    modeLabel->setBuddy(modeBox);
    auto* separatorLabel = new QLabel(QStringLiteral("&Separator:"));
    separatorLabel->setBuddy(separatorBox);
    top->addWidget(modeLabel, 0, 0);
    top->addWidget(modeBox, 0, 1);
    top->addWidget(separatorLabel, 1, 0);
    top->addWidget(separatorBox, 1, 1);
    layout->addLayout(top);

    customGroup = named(new QGroupBox(QStringLiteral(" Custom   ")), "GroupBox1");
    auto* grid = new QGridLayout(customGroup);
    auto spin = [](const char* name, int maximum) {
        auto* box = named(new QSpinBox, name);
        box->setRange(-1, maximum);
        box->setValue(0);
        return box;
    };
    // The Table has up to 40 data columns and 100000 rows; one past the grid is allowed.
    leftBox = spin("SpinEdit1", 2 * Table::kMaxPairs);
    rightBox = spin("SpinEdit2", 2 * Table::kMaxPairs + 1);
    topBox = spin("SpinEdit3", Table::kMaxRows);
    bottomBox = spin("SpinEdit4", Table::kMaxRows + 1);
    const std::pair<const char*, QSpinBox*> fields[] = {
        {"&Left:", leftBox}, {"&Right:", rightBox}, {"&Top:", topBox}, {"&Bottom:", bottomBox}};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(fields[i].first));
        label->setBuddy(fields[i].second);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
    }
    auto* explanation =
        named(new QLabel(QStringLiteral(
                  "Left/right - columns, top/bottom - rows. \"0\" - fixed, \"-1\" - all.")),
              "Label6");
    grid->addWidget(explanation, 2, 0, 1, 4);
    layout->addWidget(customGroup);
    connect(modeBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        customGroup->setEnabled(index == static_cast<int>(CopyMode::Custom));
    });
    customGroup->setEnabled(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* ok = named(buttons->button(QDialogButtonBox::Ok), "BitBtn1");
    ok->setToolTip(QStringLiteral("Apply and close"));
    QPushButton* cancel = named(buttons->button(QDialogButtonBox::Cancel), "BitBtn2");
    cancel->setToolTip(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CopyToClipboardDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    modeBox->setCurrentIndex(0);
    separatorBox->setCurrentIndex(0);
}

CopyMode CopyToClipboardDialog::mode() const {
    return static_cast<CopyMode>(std::clamp(modeBox->currentIndex(), 0, kCopyModes - 1));
}

char CopyToClipboardDialog::separator() const {
    const int index = separatorBox->currentIndex();
    return index >= 0 && index < 4 ? kCopySeparators[index] : '\t';
}

CopyRange CopyToClipboardDialog::customRange() const {
    return {leftBox->value(), topBox->value(), rightBox->value(), bottomBox->value()};
}

} // namespace quorvex
