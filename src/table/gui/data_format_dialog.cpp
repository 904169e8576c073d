#include "table/gui/data_format_dialog.h"

#include "components/widgets.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace quorvex {

namespace {
// The numbers the example shows when row 1 of the pair has none.
constexpr double kExampleValue = 12345.11223344556677;
} // namespace

DataFormatDialog::DataFormatDialog(ExampleValues example, QWidget* parent)
    : QDialog(parent), example_(std::move(example)) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Data format"));
    auto* layout = new QGridLayout(this);
    const RadioBox formats =
        radioBox(this, "RadioGroup1", QStringLiteral(" Data format of tabled data : "),
                 {"General", "Scientific", "Fixed", "Number"}, 2);
    formatGroup = formats.group;
    layout->addWidget(formats.box, 0, 0, 1, 4);
    precisionBox = new QSpinBox;
    precisionBox->setObjectName(QStringLiteral("SpinEdit1"));
    digitsBox = new QSpinBox;
    digitsBox->setObjectName(QStringLiteral("SpinEdit2"));
    precisionBox->setRange(1, 100);
    precisionBox->setValue(10);
    // The formats take 0 to 18 digits after the separator (0 to 4 exponent digits): the box
    // offers no value that would act as another one.
    digitsBox->setRange(0, 18);
    digitsBox->setValue(2);
    layout->addWidget(new QLabel(QStringLiteral("Precision:")), 1, 0);
    layout->addWidget(precisionBox, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Digits:")), 1, 2);
    layout->addWidget(digitsBox, 1, 3);
    const RadioBox columnsBox =
        radioBox(this, "RadioGroup2", QStringLiteral(" Columns "), {"X-Y", "X", "Y"}, 3, 0);
    columnsGroup = columnsBox.group;
    layout->addWidget(columnsBox.box, 2, 0, 1, 4);
    explanation = new QPlainTextEdit(message(Msg::FormatGeneralHelp));
    explanation->setObjectName(QStringLiteral("Memo1"));
    explanation->setReadOnly(true);
    layout->addWidget(explanation, 3, 0, 1, 4);
    exampleLabel = new QLabel;
    exampleLabel->setObjectName(QStringLiteral("Label3"));
    layout->addWidget(exampleLabel, 4, 0, 1, 4);
    applyButton = new QPushButton(QStringLiteral("Apply"));
    applyButton->setObjectName(QStringLiteral("Button3"));
    applyButton->setToolTip(QStringLiteral("Apply for current columns"));
    okButton = new QPushButton(QStringLiteral("Ok"));
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setToolTip(QStringLiteral("Apply and close for current columns"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"));
    cancelButton->setObjectName(QStringLiteral("Button2"));
    cancelButton->setToolTip(QStringLiteral("Close without changes"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {applyButton, okButton, cancelButton})
        buttons->addWidget(b);
    layout->addLayout(buttons, 5, 0, 1, 4);
    for (QWidget* w :
         std::initializer_list<QWidget*>{precisionBox, digitsBox, applyButton, okButton})
        w->setEnabled(false); // until a format is chosen

    // The first example shows the numbers as the Table writes them.
    const auto values = example_ ? example_() : std::nullopt;
    const double x = values ? values->first : kExampleValue;
    const double y = values ? values->second : kExampleValue;
    exampleLabel->setText(message(Msg::FormatExample) + NumberText(x) + QStringLiteral("  ") +
                          NumberText(y));

    connect(formatGroup, &QButtonGroup::idClicked, this, &DataFormatDialog::formatChosen);
    connect(precisionBox, qOverload<int>(&QSpinBox::valueChanged), this,
            &DataFormatDialog::showExample);
    connect(digitsBox, qOverload<int>(&QSpinBox::valueChanged), this,
            &DataFormatDialog::showExample);
    connect(applyButton, &QPushButton::clicked, this, &DataFormatDialog::applyRequested);
    connect(okButton, &QPushButton::clicked, this, [this] {
        emit applyRequested();
        hide();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

std::optional<NumberStyle> DataFormatDialog::style() const {
    const int id = formatGroup->checkedId();
    if (id < 0) return std::nullopt;
    return localeNumberStyle(static_cast<NumberFormat>(id), precisionBox->value(),
                             digitsBox->value());
}

FormatColumns DataFormatDialog::columns() const {
    switch (columnsGroup->checkedId()) {
    case 1:
        return FormatColumns::X;
    case 2:
        return FormatColumns::Y;
    default:
        return FormatColumns::Both;
    }
}

void DataFormatDialog::setApplying(bool applying) {
    const bool chosen = formatGroup->checkedId() >= 0;
    applyButton->setEnabled(chosen && !applying);
    okButton->setEnabled(chosen && !applying);
}

void DataFormatDialog::formatChosen() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{precisionBox, digitsBox, applyButton, okButton})
        w->setEnabled(true);
    const Msg help[] = {Msg::FormatGeneralHelp, Msg::FormatScientificHelp, Msg::FormatFixedHelp,
                        Msg::FormatNumberHelp};
    explanation->setPlainText(message(help[std::clamp(formatGroup->checkedId(), 0, 3)]));
    showExample();
}

// The example in the chosen format: the English word, three spaces between the numbers.
void DataFormatDialog::showExample() {
    const auto chosen = style();
    if (!chosen) return;
    const auto values = example_ ? example_() : std::nullopt;
    const double x = values ? values->first : kExampleValue;
    const double y = values ? values->second : kExampleValue;
    exampleLabel->setText(message(Msg::FormatExample, Language::English) +
                          formatNumber(x, *chosen) + QStringLiteral("   ") +
                          formatNumber(y, *chosen));
}

} // namespace quorvex
