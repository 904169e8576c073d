#include "grapher/gui/grapher_options_dialog.h"

#include "components/widgets.h"
#include "core/numbers.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>

namespace quorvex {

GrapherOptionsDialog::GrapherOptionsDialog(const ChartLook& look, AxisRange shownX,
                                           AxisRange shownY, ColourChooser chooseColour,
                                           QWidget* parent)
    : QDialog(parent), look_(look) {
    setObjectName(QStringLiteral("GrapherOptions"));
    setWindowTitle(QStringLiteral("Options of Grapher"));
    auto* layout = new QVBoxLayout(this);

    auto* titles = new QGroupBox(QStringLiteral("Titles"));
    auto* titleForm = new QFormLayout(titles);
    titleField = named(new QLineEdit(look.title), "ChartTitle");
    xTitleField = named(new QLineEdit(look.xTitle), "XAxisTitle");
    yTitleField = named(new QLineEdit(look.yTitle), "YAxisTitle");
    titleForm->addRow(QStringLiteral("&Chart:"), titleField);
    titleForm->addRow(QStringLiteral("&X axis:"), xTitleField);
    titleForm->addRow(QStringLiteral("&Y axis:"), yTitleField);
    layout->addWidget(titles);

    auto* axes = new QGroupBox(QStringLiteral("Axis ranges"));
    auto* axisGrid = new QGridLayout(axes);
    axisGrid->addWidget(new QLabel(QStringLiteral("Minimum")), 0, 2);
    axisGrid->addWidget(new QLabel(QStringLiteral("Maximum")), 0, 3);
    const QChar separator = localeDecimalSeparator();
    auto axisRow = [&](int row, const char* caption, const char* prefix,
                       const std::optional<AxisRange>& chosen, AxisRange shown,
                       QCheckBox*& automatic, QLineEdit*& minimum, QLineEdit*& maximum) {
        axisGrid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
        automatic = named(new QCheckBox(QStringLiteral("Automatic")),
                          (std::string(prefix) + "Automatic").c_str());
        automatic->setChecked(!chosen);
        const AxisRange range = chosen.value_or(shown);
        minimum = named(new QLineEdit(NumberText(range.min, separator)),
                        (std::string(prefix) + "Minimum").c_str());
        maximum = named(new QLineEdit(NumberText(range.max, separator)),
                        (std::string(prefix) + "Maximum").c_str());
        for (QLineEdit* field : {minimum, maximum}) {
            field->setMinimumWidth(160);
            enterLocaleDecimalSeparator(field);
            field->setEnabled(!!chosen);
            connect(field, &QLineEdit::textChanged, this, &GrapherOptionsDialog::validate);
        }
        QLineEdit* lo = minimum;
        QLineEdit* hi = maximum;
        connect(automatic, &QCheckBox::toggled, this, [this, lo, hi](bool on) {
            lo->setEnabled(!on);
            hi->setEnabled(!on);
            validate();
        });
        axisGrid->addWidget(automatic, row, 1);
        axisGrid->addWidget(minimum, row, 2);
        axisGrid->addWidget(maximum, row, 3);
    };
    axisRow(1, "X:", "X", look.xRange, shownX, xAutomaticBox, xMinimumField, xMaximumField);
    axisRow(2, "Y:", "Y", look.yRange, shownY, yAutomaticBox, yMinimumField, yMaximumField);
    layout->addWidget(axes);

    auto* appearance = new QGroupBox(QStringLiteral("Appearance"));
    auto* form = new QFormLayout(appearance);
    gridBox = named(new QCheckBox(QStringLiteral("&Grid lines")), "GridLines");
    gridBox->setChecked(look.grid);
    form->addRow(gridBox);
    backgroundSwatch = named(new ColourSwatch, "BackgroundColour");
    backgroundSwatch->setColour(fromQRgb(look.background.rgb()));
    titleColourSwatch = named(new ColourSwatch, "TitleColour");
    titleColourSwatch->setColour(fromQRgb(look.titleColour.rgb()));
    for (ColourSwatch* swatch : {backgroundSwatch, titleColourSwatch})
        connect(swatch, &ColourSwatch::clicked, this, [swatch, chooseColour] {
            if (!chooseColour) return;
            if (const std::optional<QColor> c =
                    chooseColour(QColor::fromRgb(toQRgb(swatch->colour()))))
                swatch->setColour(fromQRgb(c->rgb()));
        });
    form->addRow(QStringLiteral("Background:"), backgroundSwatch);
    form->addRow(QStringLiteral("Title colour:"), titleColourSwatch);
    symbolSizeBox = named(new QSpinBox, "SymbolSize");
    symbolSizeBox->setRange(1, 50);
    symbolSizeBox->setValue(look.symbolSize);
    lineWidthBox = named(new QSpinBox, "LineWidth");
    lineWidthBox->setRange(1, 50);
    lineWidthBox->setValue(look.lineWidth);
    form->addRow(QStringLiteral("&Symbol size:"), symbolSizeBox);
    form->addRow(QStringLiteral("&Line width:"), lineWidthBox);
    layout->addWidget(appearance);

    problemLabel = named(new QLabel, "Problem");
    problemLabel->setStyleSheet(QStringLiteral("color: #C00000"));
    layout->addWidget(problemLabel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = named(buttons->button(QDialogButtonBox::Ok), "BitBtn1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    validate();
}

std::optional<AxisRange> GrapherOptionsDialog::typedRange(QLineEdit* minimum, QLineEdit* maximum,
                                                          bool log, QString& problem) const {
    const QChar separator = localeDecimalSeparator();
    AxisRange range;
    if (!tryParseDouble(minimum->text(), separator, range.min) ||
        !tryParseDouble(maximum->text(), separator, range.max)) {
        problem = QStringLiteral("The minimum and the maximum must be numbers.");
        return std::nullopt;
    }
    if (!(range.min < range.max)) {
        problem = QStringLiteral("The minimum must be less than the maximum.");
        return std::nullopt;
    }
    if (log && range.min <= 0) {
        problem = QStringLiteral("A logarithmic axis needs a minimum above zero.");
        return std::nullopt;
    }
    return range;
}

void GrapherOptionsDialog::validate() {
    QString problem;
    bool valid = true;
    if (!xAutomaticBox->isChecked())
        valid = typedRange(xMinimumField, xMaximumField, look_.logX, problem).has_value();
    if (valid && !yAutomaticBox->isChecked())
        valid = typedRange(yMinimumField, yMaximumField, look_.logY, problem).has_value();
    problemLabel->setText(valid ? QString() : problem);
    okButton->setEnabled(valid);
}

ChartLook GrapherOptionsDialog::look() const {
    ChartLook look = look_;
    look.title = titleField->text();
    look.xTitle = xTitleField->text();
    look.yTitle = yTitleField->text();
    QString ignored;
    look.xRange.reset();
    look.yRange.reset();
    if (!xAutomaticBox->isChecked())
        look.xRange = typedRange(xMinimumField, xMaximumField, look_.logX, ignored);
    if (!yAutomaticBox->isChecked())
        look.yRange = typedRange(yMinimumField, yMaximumField, look_.logY, ignored);
    look.grid = gridBox->isChecked();
    look.background = QColor::fromRgb(toQRgb(backgroundSwatch->colour()));
    look.titleColour = QColor::fromRgb(toQRgb(titleColourSwatch->colour()));
    look.symbolSize = symbolSizeBox->value();
    look.lineWidth = lineWidthBox->value();
    return look;
}

} // namespace quorvex
