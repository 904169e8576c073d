// Digitizing profiles in the window: the calibration and the scan settings saved to a file and
// applied to another image of the same layout.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace quorvex {

namespace {

// Corner values are stored with "." (the command line reads them so); the fields use the
// locale's separator.
QString storedValue(const QString& field, QChar separator) {
    QString text = field;
    return separator == QLatin1Char('.') ? text : text.replace(separator, QLatin1Char('.'));
}
QString fieldValue(const QString& stored, QChar separator) {
    QString text = stored;
    return separator == QLatin1Char('.') ? text : text.replace(QLatin1Char('.'), separator);
}

} // namespace

DigitizingProfile MainWindow::currentProfile() const {
    DigitizingProfile p;
    p.calibration = calibration();
    const QChar separator = localeDecimalSeparator();
    for (QString* value : {&p.calibration.xLeftBottom, &p.calibration.yLeftBottom,
                           &p.calibration.xRightTop, &p.calibration.yRightTop})
        *value = storedValue(*value, separator);
    ScanSettings& s = p.scan;
    s = scanFieldSettings();
    if (scanChoices_) {
        s.recognition = scanChoices_->recognition;
        s.grid = scanChoices_->grid;
        p.gridRows = scanChoices_->horizontalLines;
        p.gridColumns = scanChoices_->verticalLines;
    } else {
        // No run yet: the distance choices kept in the settings.
        s.recognition.mode = distance_.on ? RecognitionMode::Distance : RecognitionMode::Exact;
        s.recognition.tolerance = distance_.tolerance;
        s.recognition.subPixel = distance_.subPixel;
    }
    s.recognition.curve = curveColour_;
    if (!document_.raster.isEmpty())
        p.imageSize = QSize(document_.raster.width(), document_.raster.height());
    return p;
}

void MainWindow::saveDigitizingProfile() {
    const auto choice = prompter_->saveFile(
        this, message(Msg::ProfileSaveItem).remove(QStringLiteral("...")), imageFolder_,
        {message(Msg::ProfileFilter)}, QFileInfo(document_.fileName).completeBaseName());
    if (!choice) return;
    const QString path = choice->path;
    QString reason;
    if (!writeProfileFile(path, currentProfile(), &reason))
        prompter_->information(
            this, message(Msg::ProfileWriteFailed).arg(path) + QStringLiteral(": ") + reason, true);
}

void MainWindow::loadDigitizingProfile() {
    const auto choice =
        prompter_->openFile(this, message(Msg::ProfileLoadItem).remove(QStringLiteral("...")),
                            imageFolder_, {message(Msg::ProfileFilter)}, 0);
    if (!choice) return;
    DigitizingProfile profile;
    try {
        profile = readProfileFile(choice->path);
    } catch (const ProfileError& error) {
        prompter_->information(this, error.message(), true);
        return;
    }
    applyProfile(profile);
}

bool MainWindow::applyProfile(const DigitizingProfile& profile) {
    if (document_.raster.isEmpty()) return false;
    const int width = document_.raster.width(), height = document_.raster.height();
    if (profile.imageSize && *profile.imageSize != QSize(width, height) &&
        prompter_->question(this,
                            message(Msg::ProfileSizeQuestion)
                                .arg(profile.imageSize->width())
                                .arg(profile.imageSize->height())
                                .arg(width)
                                .arg(height),
                            false) != Answer::Yes)
        return false;

    // The calibration, as the rectangle tool and "Fix coordinates" leave it.
    const Calibration& c = profile.calibration;
    for (QWidget* w : std::initializer_list<QWidget*>{autoDigitizeButton_, searchTool_,
                                                      manualInputTool_, selectAreaOnlyButton_})
        w->setEnabled(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);
    eraseSelection();
    pixelLeftBottom_ = c.pixelLeftBottom;
    pixelRightTop_ = c.pixelRightTop;
    selection_ = {std::min(c.pixelLeftBottom.x(), c.pixelRightTop.x()),
                  std::min(c.pixelLeftBottom.y(), c.pixelRightTop.y()),
                  std::max(c.pixelLeftBottom.x(), c.pixelRightTop.x()),
                  std::max(c.pixelLeftBottom.y(), c.pixelRightTop.y())};
    const QChar separator = localeDecimalSeparator();
    setCornerText(0, fieldValue(c.xLeftBottom, separator));
    setCornerText(1, fieldValue(c.yLeftBottom, separator));
    setCornerText(2, fieldValue(c.xRightTop, separator));
    setCornerText(3, fieldValue(c.yRightTop, separator));
    for (QLineEdit* f : cornerFields_)
        f->setStyleSheet(calibratedFieldStyle());
    xTransferBox_->setCurrentIndex(c.xTransfer);
    yTransferBox_->setCurrentIndex(c.yTransfer);
    drawSelection();
    selectionShown_ = true;

    // The scan settings; the recognition and grid lines open the next automatic run's dialog.
    const ScanSettings& s = profile.scan;
    area_ = {s.area.left, s.area.bottom, s.area.right, s.area.top};
    presettingSteps_ = true;
    stepBox_->setValue(s.step);
    presettingSteps_ = false;
    indentBox_->setValue(s.indent);
    oneValuedBox_->setChecked(s.oneValued);
    thicknessBox_->setValue(s.thickness);
    selfCorrectionBox_->setChecked(s.selfCorrection);
    correctionDepthBox_->setValue(s.correctionDepth);
    curveColour_ = s.recognition.curve;
    curveColourSwatch_->setColour(curveColour_);
    scanChoices_ = ScanChoices{s.recognition, s.grid, profile.gridRows, profile.gridColumns};
    storeDistanceOptions({s.recognition.mode == RecognitionMode::Distance, s.recognition.tolerance,
                          s.recognition.subPixel});
    refreshStepCaption();
    return true;
}

} // namespace quorvex
