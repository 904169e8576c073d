// The image document of the main window: open, reopen, purge, clipboard, save, scanner, the
// pixel-format menu and the reset after every new image.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "grapher/gui/chart_view.h"
#include "image/bmp.h"
#include "image/gui/paste_format_dialog.h"
#include "image/gui/scanner_dialog.h"
#include "image/image_error.h"
#include "image/pixel_format.h"
#include "image/scanner.h"
#include "image/view_scale.h"
#include "table/table.h"
#include "tools/long_operation.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace quorvex {

namespace {
// Every type the built-in reader takes is listed by the first filter.
const QStringList kOpenFilters{
    QStringLiteral("*.bmp;*.jpg;*.png (*.bmp *.jpg *.jpeg *.png *.ico *.wmf *.emf)"),
    QStringLiteral("*.gif (*.gif)"), QStringLiteral("*.tif (*.tif)"), QStringLiteral("All (*)")};
constexpr int kGifFilter = 1;
constexpr int kTiffFilter = 2;
} // namespace

// ---- recent files

RecentFiles MainWindow::recentFiles() const {
    RecentFiles files;
    for (int i = 0; i < 4; ++i)
        files[static_cast<std::size_t>(i)] =
            ini_.readString(ini::kOpenFiles, ini::recentFileKey(i + 1), QString());
    return files;
}

// At start: slots whose file is gone are cleared in the settings.
void MainWindow::readRecentFiles() {
    RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i) {
        QString& path = files[static_cast<std::size_t>(i)];
        if (!path.isEmpty() && !QFileInfo::exists(path)) path.clear();
        ini_.writeString(ini::kOpenFiles, ini::recentFileKey(i + 1), path);
    }
    saveIni();
    rebuildRecentMenu();
}

void MainWindow::rebuildRecentMenu() {
    const RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i)
        recentEntries_[static_cast<std::size_t>(i)]->setText(
            recentEntryCaption(files[static_cast<std::size_t>(i)]));
}

// ---- opening

void MainWindow::openImage() {
    const auto choice = prompter_->openFile(this, QStringLiteral("Open image file with graph"),
                                            imageDialogFolder(), kOpenFilters, openFilter_);
    if (!choice) return;
    openFilter_ = choice->filter;
    ImageReader reader = readerForPath(choice->path);
    if (choice->filterSwitched && choice->filter == kGifFilter) reader = ImageReader::Gif;
    if (choice->filterSwitched && choice->filter == kTiffFilter) reader = ImageReader::Tiff;
    openImageFile(choice->path, reader);
}

bool MainWindow::openImageFile(const QString& path, ImageReader reader) {
    // A file that cannot be read leaves everything as it was: picture, caption, settings.
    try {
        Raster raster = readImageFile(path, reader);
        document_.raster = std::move(raster);
    } catch (const ImageError& error) {
        prompter_->information(this, error.message(), true);
        return false;
    }
    afterOpen(path);
    return true;
}

void MainWindow::afterOpen(const QString& path) {
    document_.fileName = path;
    imageFolder_ = QFileInfo(path).absolutePath();
    ini_.writeString(ini::kImage, ini::kDirectory, imageFolder_);
    resetAfterNewImage();
    setWindowTitle(fileCaption(path));
    const RecentFiles files = updatedRecentFiles(recentFiles(), path);
    for (int i = 0; i < 4; ++i)
        ini_.writeString(ini::kOpenFiles, ini::recentFileKey(i + 1),
                         files[static_cast<std::size_t>(i)]);
    saveIni();
    rebuildRecentMenu();
    manualInputTool_->setChecked(false);
    searchTool_->setChecked(false);
}

void MainWindow::reopenRecent(int slot) {
    if (slot < 1 || slot > 4 ||
        recentEntries_[static_cast<std::size_t>(slot - 1)]->text().isEmpty())
        return;
    const QString path = recentFiles()[static_cast<std::size_t>(slot - 1)];
    if (path.isEmpty()) return;
    openImageFile(path, readerForPath(path));
}

void MainWindow::reloadImage() {
    reopenRecent(1);
}

// ---- purge, clipboard, save

void MainWindow::purgeImage() {
    setWindowTitle(bareCaption());
    document_.raster = Raster();
    document_.marks.reset(0, 0);
    imageView_->setRaster(nullptr);
    zoomPicture_->clear();
    imageView_->setEnabled(false);
}

void MainWindow::copyImageToClipboard() {
    if (document_.raster.isEmpty()) return;
    const MarksShownIn marks(document_.raster, document_.marks);
    QApplication::clipboard()->setImage(toQImage(document_.raster));
}

void MainWindow::pasteImage() {
    PasteFormatDialog dialog(this);
    if (!runDialog(&dialog)) return;
    setWindowTitle(pastedCaption());
    document_.pasted = true;
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        showStatus(message(Msg::NotGraphicClipboard));
        return;
    }
    try {
        document_.raster = fromQImage(image);
        const int choice = dialog.choice();
        if (choice >= PasteFormatDialog::Bit1 && choice <= PasteFormatDialog::Bit32) {
            document_.raster = convertPixelFormat(document_.raster, kMenuFormats[choice]);
        } else if (choice == PasteFormatDialog::Grayscale) {
            GrayscaleRaster(document_.raster);
        }
        resetAfterNewImage();
    } catch (const std::exception&) {
        showStatus(message(Msg::NotGraphicClipboard));
    }
}

void MainWindow::saveImageAs() {
    if (document_.raster.isEmpty()) {
        prompter_->information(this, message(Msg::NoImage));
        return;
    }
    const auto choice = prompter_->saveFile(
        this, message(Msg::SaveImageTitle), imageDialogFolder(),
        {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("PNG images (*.png)")}, QString());
    if (!choice) return;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    try {
        const MarksShownIn marks(document_.raster, document_.marks);
        writeImageFile(document_.raster, path);
    } catch (const ImageError& error) {
        prompter_->information(this, error.message(), true);
    }
}

// ---- scanner

void MainWindow::selectScanner() {
    QList<ScannerDevice> devices;
    try {
        devices = scannerDevices();
    } catch (const ImageError& error) {
        prompter_->information(this, message(Msg::ScanFailed).arg(error.message()), true);
        return;
    }
    if (devices.isEmpty()) {
        prompter_->information(this, message(Msg::NoScanner), true);
        return;
    }
    ScannerSourceDialog dialog(devices, scannerDevice_, this);
    if (runDialog(&dialog)) scannerDevice_ = dialog.chosenDevice();
}

void MainWindow::scanImage() {
    if (longOperationRunning_) return; // one long operation at a time
    try {
        QString device = scannerDevice_;
        if (device.isEmpty()) {
            const auto devices = scannerDevices();
            if (devices.isEmpty()) {
                prompter_->information(this, message(Msg::NoScanner), true);
                return;
            }
            device = devices.front().name;
        }
        Raster scanned;
        {
            LongOperation operation(longOperationHooks(), 100);
            scanned =
                acquireImage(device, [&operation](int percent) { return operation.step(percent); });
        }
        document_.raster = std::move(scanned);
    } catch (const ImageError& error) {
        prompter_->information(this, message(Msg::ScanFailed).arg(error.message()), true);
        return;
    }
    setWindowTitle(scannedCaption());
    resetAfterNewImage();
}

// ---- pixel format

void MainWindow::checkFormatItem() {
    for (auto* item : formatItems_)
        item->setChecked(false);
    for (int i = 0; i < 7; ++i)
        if (document_.raster.format() == kMenuFormats[i])
            formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
}

void MainWindow::convertToFormat(PixelFormat format) {
    for (int i = 0; i < 7; ++i)
        if (kMenuFormats[i] == format) formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
    document_.formatChangedByUser = true;
    try {
        // "1 bit" goes through the screen format first, as the platform's copy does.
        const auto convert = [format](const Raster& raster) {
            if (format == PixelFormat::Bit1)
                return convertPixelFormat(convertPixelFormat(raster, PixelFormat::Device), format);
            return convertPixelFormat(raster, format);
        };
        Raster converted = convert(document_.raster);
        document_.marks.followConversion(document_.raster, converted, convert);
        document_.raster = std::move(converted);
    } catch (const std::exception& error) {
        prompter_->information(this, QString::fromLocal8Bit(error.what()), true);
    }
    imageView_->refreshAll();
}

void MainWindow::convertToGrayscale() {
    formatItems_[7]->setChecked(true);
    document_.formatChangedByUser = true;
    try {
        const auto grey = [](const Raster& raster) {
            Raster result = raster;
            GrayscaleRaster(result);
            return result;
        };
        Raster converted = grey(document_.raster);
        document_.marks.followConversion(document_.raster, converted, grey);
        document_.raster = std::move(converted);
    } catch (const std::exception&) {
        formatItems_[7]->setChecked(false);
    }
    imageView_->refreshAll();
}

// ---- the reset after every new image

void MainWindow::resetAfterNewImage(TableOnReset table) {
    const int width = document_.raster.width(), height = document_.raster.height();
    // The undo record, the Bezier flag, a pending typed measure and a point dragged on the
    // chart belong to the old image.
    undo_ = UndoRecord();
    pointDrag_.active = false;
    chart_->setDragSquare(std::nullopt);
    searchUndoable_ = false;
    swallowNextClick_ = false;
    markers_.setCount(0);
    updateUndoActions();
    bezierUsed_ = false;
    // The drawings over the old picture go with it (after a rotation too: they would not fit).
    document_.marks.reset(width, height);
    typedValuePending_ = false;
    // Calibration: the whole image, corner values 0; the rectangle is not on the new bitmap.
    pixelLeftBottom_ = QPoint(0, 0);
    pixelRightTop_ = QPoint(width, height);
    area_ = {0, height, width, 0};
    selection_ = {0, 0, width, height};
    selectionShown_ = false;
    skipNextErase_ = true;
    dragging_ = false;
    // Tools and view.
    mouseMode_ = MouseMode::Idle;
    markerSize_ = markerSizeBox_->value();
    viewScale_ = 1.0 / devicePixelRatioF(); // 100 %: an image pixel on a device pixel
    imageLoaded_ = true;
    updateCommandStates();
    for (QLineEdit* field : cornerFields_)
        field->setEnabled(false);
    selectAreaOnlyButton_->setChecked(false);
    selectAreaOnlyButton_->setEnabled(false);
    graphStepAction_->setText(QStringLiteral("0"));
    realSizeAction_->setChecked(true);
    autoSizeAction_->setChecked(false);
    measureBox_->setCurrentIndex(kRealSizeItem);
    // The image view and its rulers.
    const QSize shown = scaledImageSize(QSize(width, height), viewScale_).expandedTo(QSize(1, 1));
    imageView_->setFixedSize(shown);
    if (rulersFlag_) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
            w->setVisible(true);
            w->setEnabled(true);
        }
        verticalRuler_->setFixedWidth(height > 1000 ? 28 : 25);
        rulerCorner_->setFixedWidth(verticalRuler_->width());
        horizontalRuler_->setScale(viewScale_);
        verticalRuler_->setScale(viewScale_);
        horizontalRuler_->setFixedWidth(shown.width());
        verticalRuler_->setFixedHeight(shown.height());
    }
    imageView_->setEnabled(true);
    // Black-and-white pictures become colour pictures, so that coloured markers show.
    if (needsColourConversion(document_, colourConversionAction_->isChecked()))
        document_.raster = convertPixelFormat(document_.raster, PixelFormat::Bit24);
    markerColour_ = markerColourForFormat(document_.raster.format(), markerColour_);
    checkFormatItem();
    document_.pasted = false;
    for (int i = 0; i < 4; ++i) {
        setCornerText(i, QStringLiteral("0"));
        cornerFields_[static_cast<std::size_t>(i)]->setStyleSheet(QString());
    }
    xTransferBox_->setCurrentIndex(0);
    yTransferBox_->setCurrentIndex(0);
    if (table == TableOnReset::ClearWhenAsked && clearTableOnNewImageAction_->isChecked()) {
        table_->clearForNewImage();
        emptyGraph();
    }
    pages_->setCurrentWidget(digitizationPage_);
    manualInputTool_->setChecked(false);
    searchTool_->setChecked(false);
    // Nothing drawn over the old image stays: search circles, guide lines, the zoom picture.
    imageView_->clearOverlayCircles();
    imageView_->setGuideLines(std::nullopt);
    zoomPicture_->clear();
    imageView_->setRaster(&document_.raster, &document_.marks);
    if (chartBackgroundButton_->isChecked()) chartBackgroundToggled(true);
}

} // namespace quorvex
