#include "autodigit/gui/scan_options_panel.h"

#include "app/settings_files.h"
#include "autodigit/step_fields.h"
#include "components/widgets.h"
#include "core/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {
QSpinBox* spinBox(const char* name, int low, int high, int value, const char* hint) {
    auto* box = named(new QSpinBox, name);
    box->setRange(low, high);
    box->setValue(value);
    if (hint) box->setToolTip(QString::fromLatin1(hint));
    return box;
}
} // namespace

ScanOptionsPanel::ScanOptionsPanel(const PartContext& context) : WindowPart(context) {
    pages_ = named(new QTabWidget, "PageControl2");
    generalPage_ = named(new QWidget, "general");
    auto* generalLayout = new QGridLayout(generalPage_);
    selfCorrectionBox_ = named(new QCheckBox(QStringLiteral("Self-correction")), "CheckBoxCorrect");
    selfCorrectionBox_->setToolTip(QStringLiteral("Searching of line and nidle of line"));
    selfCorrectionBox_->setChecked(true);
    correctionDepthBox_ =
        spinBox("Correct", 2, 30, 15, "The value of the self-correction (searching in Y)");
    markerSizeBox_ = spinBox("SpinEdit5", 1, 30, 3, nullptr);
    generalLayout->addWidget(selfCorrectionBox_, 0, 0);
    generalLayout->addWidget(correctionDepthBox_, 0, 1);
    generalLayout->addWidget(new QLabel(QStringLiteral("Marker size")), 1, 0);
    generalLayout->addWidget(markerSizeBox_, 1, 1);

    autoPage_ = named(new QWidget, "auto");
    auto* autoLayout = new QGridLayout(autoPage_);
    stepButton_ = named(new QToolButton, "StepV");
    stepButton_->setText(QStringLiteral("step"));
    stepButton_->setPopupMode(QToolButton::InstantPopup);
    stepButton_->setToolTip(
        QStringLiteral("Value of step on X in pixells\r\nor graph units (click)"));
    firstRowBox_ = spinBox("SpinEdit3", 1, 100000, 1, "The first row in Table");
    lastRowBox_ = spinBox("SpinEdit2", 1, 100000, 800, "The last row in Table");
    stepBox_ = spinBox("StepValue", 1, 500, 1, "Value of step on X in pixells");
    indentBox_ = spinBox("Border", 0, 30, 0,
                         "That in outcome of digitization the frame (of the axis) has not got");
    autoLayout->addWidget(stepButton_, 0, 0);
    autoLayout->addWidget(stepBox_, 0, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("from")), 1, 0);
    autoLayout->addWidget(firstRowBox_, 1, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("to")), 2, 0);
    autoLayout->addWidget(lastRowBox_, 2, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("Indent:")), 3, 0);
    autoLayout->addWidget(indentBox_, 3, 1);
    // The step button's drop-down shows the step in graph units.
    auto* stepMenu = new QMenu(window());
    stepMenu->setObjectName(QStringLiteral("PopupStep"));
    graphStepAction_ = stepMenu->addAction(QStringLiteral("1"));
    graphStepAction_->setObjectName(QStringLiteral("N110"));
    stepButton_->setMenu(stepMenu);

    extraPage_ = named(new QWidget, "AutoSemi");
    auto* extraLayout = new QGridLayout(extraPage_);
    polyBezierBox_ = named(new QCheckBox(QStringLiteral("Poly Bezier for manual")), "Bezier");
    polyBezierBox_->setToolTip(
        QStringLiteral("Interpolation for manual input, then use automatic digitization"));
    oneValuedBox_ = named(new QCheckBox(QStringLiteral("One-valuedness")), "N32");
    oneValuedBox_->setChecked(true);
    thicknessBox_ = spinBox("SpinEdit4", 1, 99, 2, "Curve thickness");
    searchIntervalBox_ = named(new QDoubleSpinBox, "SearchInterval");
    searchIntervalBox_->setRange(0.1, 4.0);
    searchIntervalBox_->setSingleStep(0.1);
    searchIntervalBox_->setDecimals(1);
    searchIntervalBox_->setValue(1.0);
    searchIntervalBox_->setToolTip(
        QStringLiteral("Search interval between points = this_value*marker_size"));
    extraLayout->addWidget(new QLabel(QStringLiteral("Search interval")), 2, 0);
    extraLayout->addWidget(searchIntervalBox_, 2, 1);
    extraLayout->addWidget(polyBezierBox_, 0, 0, 1, 2);
    extraLayout->addWidget(oneValuedBox_, 1, 0);
    extraLayout->addWidget(thicknessBox_, 1, 1);
    pages_->addTab(generalPage_, QStringLiteral("general"));
    pages_->addTab(autoPage_, QStringLiteral("auto"));
    pages_->addTab(extraPage_, QStringLiteral("extra"));

    // Every field writes its value to the session; the rules of the step fields run for
    // typed values only.
    for (QSpinBox* box :
         {correctionDepthBox_, firstRowBox_, lastRowBox_, stepBox_, indentBox_, thicknessBox_})
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, &ScanOptionsPanel::storeFields);
    for (QCheckBox* box : {selfCorrectionBox_, polyBezierBox_, oneValuedBox_})
        connect(box, &QCheckBox::toggled, this, &ScanOptionsPanel::storeFields);
    connect(searchIntervalBox_, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &ScanOptionsPanel::storeFields);
    connect(markerSizeBox_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int value) {
        if (!presetting_) session().setMarkerSizeField(value);
    });
    connect(firstRowBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &ScanOptionsPanel::firstRowChanged);
    connect(lastRowBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &ScanOptionsPanel::lastRowChanged);
    connect(stepBox_, qOverload<int>(&QSpinBox::valueChanged), this,
            &ScanOptionsPanel::stepChanged);
    connect(oneValuedBox_, &QCheckBox::clicked, this,
            [this] { thicknessBox_->setEnabled(!oneValuedBox_->isChecked()); });
    connect(selfCorrectionBox_, &QCheckBox::clicked, this, [this] {
        correctionDepthBox_->setEnabled(selfCorrectionBox_->isChecked());
        ini().writeBool(ini::kAuto, ini::kCorrection, selfCorrectionBox_->isChecked());
        saveIni();
    });
    connect(polyBezierBox_, &QCheckBox::clicked, this, [this] {
        if (polyBezierBox_->isChecked()) session().bezierUsed = false;
        ini().writeBool(ini::kAuto, ini::kPolyBezier, polyBezierBox_->isChecked());
        saveIni();
    });
    connect(graphStepAction_, &QAction::triggered, this, &ScanOptionsPanel::setUpGraphStep);

    DigitizingSession& s = session();
    connect(&s, &DigitizingSession::optionsChanged, this, &ScanOptionsPanel::applyOptions);
    connect(&s, &DigitizingSession::calibrationChanged, this,
            &ScanOptionsPanel::refreshStepCaption);
    connect(&s, &DigitizingSession::optionsPageRequested, this, &ScanOptionsPanel::showPage);
    connect(&s, &DigitizingSession::scanRowsPreset, this,
            [this](int last, int first, std::optional<int> step) {
                presetting_ = true;
                lastRowBox_->setValue(last);
                firstRowBox_->setValue(first);
                if (step) stepBox_->setValue(*step);
                presetting_ = false;
                storeFields();
                refreshStepCaption();
            });
    connect(&s, &DigitizingSession::scanRowsTyped, this, [this](int last, int first, int step) {
        lastRowBox_->setValue(last);
        firstRowBox_->setValue(first);
        stepBox_->setValue(step);
    });
    connect(&s, &DigitizingSession::pictureReset, this,
            [this] { graphStepAction_->setText(QStringLiteral("0")); });
    connect(&s, &DigitizingSession::activated, this,
            [this] { thicknessBox_->setEnabled(!oneValuedBox_->isChecked()); });
    storeFields();
}

void ScanOptionsPanel::showPage(OptionsPage page) {
    pages_->setCurrentWidget(page == OptionsPage::General ? generalPage_
                             : page == OptionsPage::Auto  ? autoPage_
                                                          : extraPage_);
}

// The fields take what the session holds, without the step rules.
void ScanOptionsPanel::applyOptions() {
    const DigitizingOptions& o = session().options();
    presetting_ = true;
    selfCorrectionBox_->setChecked(o.selfCorrection);
    correctionDepthBox_->setValue(o.correctionDepth);
    markerSizeBox_->setValue(o.markerSizeField);
    polyBezierBox_->setChecked(o.polyBezier);
    oneValuedBox_->setChecked(o.oneValued);
    thicknessBox_->setValue(o.thickness);
    firstRowBox_->setValue(o.firstRow);
    lastRowBox_->setValue(o.lastRow);
    stepBox_->setValue(o.step);
    indentBox_->setValue(o.indent);
    searchIntervalBox_->setValue(o.searchInterval);
    presetting_ = false;
}

void ScanOptionsPanel::storeFields() {
    const DigitizingOptions& o = session().options();
    if (o.selfCorrection == selfCorrectionBox_->isChecked() &&
        o.correctionDepth == correctionDepthBox_->value() &&
        o.markerSizeField == markerSizeBox_->value() &&
        o.polyBezier == polyBezierBox_->isChecked() && o.oneValued == oneValuedBox_->isChecked() &&
        o.thickness == thicknessBox_->value() && o.firstRow == firstRowBox_->value() &&
        o.lastRow == lastRowBox_->value() && o.step == stepBox_->value() &&
        o.indent == indentBox_->value() && o.searchInterval == searchIntervalBox_->value())
        return;
    const bool wasPresetting = presetting_;
    presetting_ = true; // the session's answer brings the same values back
    session().changeOptions([this](DigitizingOptions& options) {
        options.selfCorrection = selfCorrectionBox_->isChecked();
        options.correctionDepth = correctionDepthBox_->value();
        options.markerSizeField = markerSizeBox_->value();
        options.polyBezier = polyBezierBox_->isChecked();
        options.oneValued = oneValuedBox_->isChecked();
        options.thickness = thicknessBox_->value();
        options.firstRow = firstRowBox_->value();
        options.lastRow = lastRowBox_->value();
        options.step = stepBox_->value();
        options.indent = indentBox_->value();
        options.searchInterval = searchIntervalBox_->value();
    });
    presetting_ = wasPresetting;
}

// ---- the step fields

void ScanOptionsPanel::refreshStepCaption() {
    if (const auto caption = steps::graphStepCaption(
            session().cornerText(0), session().cornerText(2), firstRowBox_->value(),
            lastRowBox_->value(), localeDecimalSeparator()))
        graphStepAction_->setText(*caption);
}

// "from" or "to" changed: the step follows; from = to has no step and is reported.
void ScanOptionsPanel::recomputeStep() {
    if (const auto step = steps::stepFor(session().calibrationPixelWidth(), firstRowBox_->value(),
                                         lastRowBox_->value()))
        stepBox_->setValue(*step);
    else
        session().showStatus(pointFailureText(PointFailure::ZeroDivide));
}

void ScanOptionsPanel::firstRowChanged() {
    if (!presetting_) recomputeStep();
}

void ScanOptionsPanel::lastRowChanged() {
    if (presetting_) return;
    recomputeStep();
    refreshStepCaption();
}

void ScanOptionsPanel::stepChanged() {
    if (presetting_ || session().selectionDragging) return;
    lastRowBox_->setValue(
        steps::toFor(session().calibrationPixelWidth(), stepBox_->value(), firstRowBox_->value()));
}

// "Setup step": the step in graph units.
void ScanOptionsPanel::setUpGraphStep() {
    QDialog dialog(window());
    dialog.setObjectName(QStringLiteral("StepSetup"));
    dialog.setWindowTitle(QStringLiteral("Setup step"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Setup the value of step")));
    auto* edit = new QLineEdit(graphStepAction_->text());
    edit->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    const QChar separator = localeDecimalSeparator();
    double width = 0;
    {
        double a = 0, b = 0;
        if (tryParseDouble(session().cornerText(0), separator, a) &&
            tryParseDouble(session().cornerText(2), separator, b))
            width = std::abs(a - b);
    }
    QObject::connect(
        edit, &QLineEdit::textEdited, edit, [edit, width, separator](const QString& text) {
            QString fixed = text;
            fixed.replace(QLatin1Char(','), separator).replace(QLatin1Char('.'), separator);
            double v = 0;
            if (tryParseDouble(fixed, separator, v) && std::abs(v) > width)
                fixed = NumberText(width, separator);
            if (fixed != text) edit->setText(fixed);
        });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        double step = 0;
        if (!tryParseDouble(edit->text(), separator, step) || step == 0) {
            prompter().information(&dialog, message(Msg::InvalidFloat).arg(edit->text()), true);
            return; // stays open with the text as typed
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (!runDialog(&dialog)) return;
    double step = 0;
    if (!tryParseDouble(edit->text(), separator, step) || step == 0) return;
    graphStepAction_->setText(edit->text());
    lastRowBox_->setValue(steps::toForGraphStep(width, step, firstRowBox_->value()));
}

} // namespace quorvex
