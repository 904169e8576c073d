// The image document of the main window: open, reopen, purge, clipboard, save, scanner, the
// pixel-format menu and the reset after every new image.
#include "app/gui/tform1.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "image/bmp.h"
#include "image/gui/pixel_format_dialog.h"
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
const QStringList kOpenFilters{QStringLiteral("*.bmp;*.jpg (*.bmp *.jpg *.jpeg)"),
                               QStringLiteral("*.gif (*.gif)"), QStringLiteral("*.tif (*.tif)"),
                               QStringLiteral("All (*.*)")};
constexpr int kGifFilter = 1;
constexpr int kTiffFilter = 2;
} // namespace

// ---- recent files

RecentFiles TForm1::recentFiles() const {
    RecentFiles files;
    for (int i = 0; i < 4; ++i)
        files[static_cast<std::size_t>(i)] =
            ini_.readString(ini::kOpenFiles, ini::recentFileKey(i + 1), QString());
    return files;
}

// At start: slots whose file is gone are cleared in the settings.
void TForm1::readRecentFiles() {
    RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i) {
        QString& path = files[static_cast<std::size_t>(i)];
        if (!path.isEmpty() && !QFileInfo::exists(path)) path.clear();
        ini_.writeString(ini::kOpenFiles, ini::recentFileKey(i + 1), path);
    }
    saveIni();
    rebuildRecentMenu();
}

void TForm1::rebuildRecentMenu() {
    const RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i)
        recentEntries_[static_cast<std::size_t>(i)]->setText(
            recentEntryCaption(files[static_cast<std::size_t>(i)]));
}

// ---- opening

void TForm1::N34Click() {
    const QString folder =
        imageFolder_.isEmpty() ? QFileInfo(programPath_).absolutePath() : imageFolder_;
    const auto choice = prompter_->openFile(this, QStringLiteral("Open image file with graph"),
                                            folder, kOpenFilters, openFilter_);
    if (!choice) return;
    openFilter_ = choice->filter;
    ImageReader reader = readerForPath(choice->path);
    if (choice->filterSwitched && choice->filter == kGifFilter) reader = ImageReader::Gif;
    if (choice->filterSwitched && choice->filter == kTiffFilter) reader = ImageReader::Tiff;
    openImage(choice->path, reader);
}

bool TForm1::openImage(const QString& path, ImageReader reader) {
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

void TForm1::afterOpen(const QString& path) {
    document_.fileName = path;
    imageFolder_ = QFileInfo(path).absolutePath();
    ini_.writeString(ini::kImage, ini::kDirectory, imageFolder_);
    AfterLoadReset();
    setWindowTitle(fileCaption(path));
    const RecentFiles files = updatedRecentFiles(recentFiles(), path);
    for (int i = 0; i < 4; ++i)
        ini_.writeString(ini::kOpenFiles, ini::recentFileKey(i + 1),
                         files[static_cast<std::size_t>(i)]);
    saveIni();
    rebuildRecentMenu();
    SpeedButton112SA->setChecked(false);
    SpeedButton11SA->setChecked(false);
}

void TForm1::ReopenRecent(int slot) {
    if (slot < 1 || slot > 4 ||
        recentEntries_[static_cast<std::size_t>(slot - 1)]->text().isEmpty())
        return;
    const QString path = recentFiles()[static_cast<std::size_t>(slot - 1)];
    if (path.isEmpty()) return;
    openImage(path, readerForPath(path));
}

void TForm1::Reloadtheimagefile1Click() {
    ReopenRecent(1);
}

// ---- purge, clipboard, save

void TForm1::N40Click() {
    setWindowTitle(bareCaption());
    document_.raster = Raster();
    Image1->setRaster(nullptr);
    Image2->clear();
    Image1->setEnabled(false);
}

void TForm1::CopyToClipboardClick() {
    if (document_.raster.isEmpty()) return;
    QApplication::clipboard()->setImage(toQImage(document_.raster));
}

void TForm1::ClipbrdUpdate() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const bool image = data && data->hasImage();
    SpeedButton12->setEnabled(image);
    PastefromClipboard1->setEnabled(image);
    PurgeClipboard1->setEnabled(data && (data->hasImage() || data->hasText()));
}

void TForm1::ClipbrdExecute() {
    TForm7 dialog(this);
    if (!prompter_->run(&dialog)) return;
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
        if (choice >= TForm7::Bit1 && choice <= TForm7::Bit32) {
            document_.raster = convertPixelFormat(document_.raster, kMenuFormats[choice]);
        } else if (choice == TForm7::Grayscale) {
            GrayscaleRaster(document_.raster);
        }
        AfterLoadReset();
    } catch (const std::exception&) {
        showStatus(message(Msg::NotGraphicClipboard));
    }
}

void TForm1::SaveImage1Click() {
    if (document_.raster.isEmpty()) {
        prompter_->information(this, message(Msg::NoImage));
        return;
    }
    const auto path =
        prompter_->saveFile(this, message(Msg::SaveImageTitle), imageFolder_,
                            {QStringLiteral("Bitmaps (*.bmp)")}, QStringLiteral("bmp"));
    if (!path) return;
    if (QFileInfo::exists(*path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    try {
        writeBmpFile(document_.raster, *path);
    } catch (const ImageError& error) {
        prompter_->information(this, error.message(), true);
    }
}

// ---- scanner

void TForm1::SelectScanerClick() {
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
    if (prompter_->run(&dialog)) scannerDevice_ = dialog.chosenDevice();
}

void TForm1::ScanClick() {
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
    AfterLoadReset();
}

// ---- pixel format

void TForm1::checkFormatItem() {
    for (auto* item : formatItems_)
        item->setChecked(false);
    for (int i = 0; i < 7; ++i)
        if (document_.raster.format() == kMenuFormats[i])
            formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
}

void TForm1::formatMenuClick(PixelFormat format) {
    for (int i = 0; i < 7; ++i)
        if (kMenuFormats[i] == format) formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
    document_.formatChangedByUser = true;
    try {
        // "1 bit" goes through the screen format first, as the platform's copy does.
        if (format == PixelFormat::Bit1)
            document_.raster = convertPixelFormat(document_.raster, PixelFormat::Device);
        document_.raster = convertPixelFormat(document_.raster, format);
    } catch (const std::exception& error) {
        prompter_->information(this, QString::fromLocal8Bit(error.what()), true);
    }
    Image1->refreshAll();
}

void TForm1::gray1Click() {
    formatItems_[7]->setChecked(true);
    document_.formatChangedByUser = true;
    try {
        GrayscaleRaster(document_.raster);
    } catch (const std::exception&) {
        formatItems_[7]->setChecked(false);
    }
    Image1->refreshAll();
}

void TForm1::pf4Click() {} // the check mark flips by itself; the reset reads it

void TForm1::NewTableClick() {}

// ---- the reset after every new image

void TForm1::AfterLoadReset() {
    const int width = document_.raster.width(), height = document_.raster.height();
    // The undo record, the Bezier flag and a pending typed measure belong to the old image.
    undo_ = UndoRecord();
    bezierUsed_ = false;
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
    mouseMode_ = 6;
    markerSize_ = SpinEdit5->value();
    viewScale_ = 1.0;
    for (QAction* a : {N40, Reloadtheimagefile1, SaveImage1, Rotate90, YX1, Auto1, N37, Chart_bg,
                       Fixcoord, CopytheimagetoClipboard1})
        a->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{RxSpeedButton6, BitBtn1, Points, RectSelect,
                                                      Rotate, Pencil, SpeedButton15, ComboBoxSize})
        w->setEnabled(true);
    for (QLineEdit* field : cornerFields_)
        field->setEnabled(false);
    SelectOnly->setChecked(false);
    SelectOnly->setEnabled(false);
    N110->setText(QStringLiteral("0"));
    N37->setChecked(true);
    Auto1->setChecked(false);
    ComboBoxSize->setCurrentIndex(kRealSizeItem);
    // The image view and its rulers.
    Image1->setFixedSize(std::max(width, 1), std::max(height, 1));
    if (rulersFlag_) {
        for (QWidget* w : std::initializer_list<QWidget*>{RsRulerH, RsRulerV, RsRulerCorner1}) {
            w->setVisible(true);
            w->setEnabled(true);
        }
        RsRulerV->setFixedWidth(height > 1000 ? 28 : 25);
        RsRulerCorner1->setFixedWidth(RsRulerV->width());
        RsRulerH->setScalePercent(100);
        RsRulerV->setScalePercent(100);
        RsRulerH->setFixedWidth(std::max(width, 1));
        RsRulerV->setFixedHeight(std::max(height, 1));
    }
    Panel2->setEnabled(true);
    RxSpeedButton1->setEnabled(true);
    Image1->setEnabled(true);
    // Black-and-white pictures become colour pictures, so that coloured markers show.
    if (needsColourConversion(document_, pf4->isChecked()))
        document_.raster = convertPixelFormat(document_.raster, PixelFormat::Bit24);
    markerColour_ = markerColourForFormat(document_.raster.format(), markerColour_);
    checkFormatItem();
    document_.pasted = false;
    for (QLineEdit* field : cornerFields_) {
        field->setText(QStringLiteral("0"));
        field->setStyleSheet(QString());
    }
    ComboBox2->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(0);
    if (NewTable->isChecked()) table_->clearForNewImage();
    PageControl1->setCurrentWidget(TabSheet4);
    SpeedButton112SA->setChecked(false);
    SpeedButton11SA->setChecked(false);
    Image1->setRaster(&document_.raster);
}

} // namespace quorvex
