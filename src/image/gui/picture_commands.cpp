#include "image/gui/picture_commands.h"

#include "app/settings_files.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "image/bmp.h"
#include "image/gui/paste_format_dialog.h"
#include "image/gui/scanner_dialog.h"
#include "image/gui/vector_page_dialog.h"
#include "image/image_error.h"
#include "image/metafile.h"
#include "image/pixel_format.h"
#include "image/scanner.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

namespace quorvex {

namespace {

// The paths of a WMF or EMF picture, recorded as the player draws them; none for other files or
// a metafile whose drawing holds no path.
std::shared_ptr<const VectorLayer> metafileLayer(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    // The first bytes tell the kind; only a metafile is read whole.
    const QByteArray head = file.read(64);
    const QString type =
        builtInTypeOfContent(reinterpret_cast<const std::uint8_t*>(head.constData()),
                             static_cast<std::size_t>(head.size()));
    if (type != QLatin1String("WMF") && type != QLatin1String("EMF")) return nullptr;
    const QByteArray bytes = head + file.readAll();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    try {
        VectorLayer layer = recordMetafile(data, size);
        if (layer.paths.empty()) return nullptr;
        return std::make_shared<const VectorLayer>(std::move(layer));
    } catch (const ImageError&) {
        return nullptr; // the raster reader showed the picture; its paths are not needed
    }
}

// Every type the built-in reader takes is listed by the first filter.
const QStringList kOpenFilters{
    QStringLiteral("*.bmp;*.jpg;*.png (*.bmp *.jpg *.jpeg *.png *.ico *.wmf *.emf)"),
    QStringLiteral("*.gif (*.gif)"), QStringLiteral("*.tif (*.tif)"),
    QStringLiteral("*.pdf;*.svg (*.pdf *.svg *.svgz)"), QStringLiteral("All (*)")};
constexpr int kGifFilter = 1;
constexpr int kTiffFilter = 2;
} // namespace

PictureCommands::PictureCommands(const PartContext& context) : WindowPart(context) {
    // Pictures dropped on the window open as chosen ones.
    window()->setAcceptDrops(true);
    window()->installEventFilter(this);
    CommandRegistry& c = commands();
    auto disabled = [](QAction* a) {
        a->setEnabled(false);
        return a;
    };
    QAction* open = c.addAction("N34", QStringLiteral("Open graph Image..."));
    open->setShortcut(QKeySequence::Open);
    QAction* purge = disabled(c.addAction("N40", QStringLiteral("Purge Image")));
    QAction* reload =
        disabled(c.addAction("Reloadtheimagefile1", QStringLiteral("Reload Image file")));
    QAction* save = disabled(c.addAction("SaveImage1", QStringLiteral("Save graph Image...")));
    QAction* selectScannerItem =
        c.addAction("SelectScaner", QStringLiteral("Select TWAIN source..."));
    QAction* scan = c.addAction("Scan", QStringLiteral("Acquire..."));
    colourConversion_ = c.addAction("pf4", QStringLiteral("White-black Image into colored one"));
    clearTableOnNewImage_ =
        c.addAction("NewTable", QStringLiteral("For new Image clear Table and Grapher"));
    for (QAction* a : {colourConversion_, clearTableOnNewImage_}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    for (int i = 0; i < 4; ++i)
        recentEntries_[static_cast<std::size_t>(i)] = c.addAction(
            QStringLiteral("RecentFile%1").arg(i + 1).toLatin1().constData(), QString());
    QAction* copy = disabled(
        c.addAction("CopytheimagetoClipboard1", QStringLiteral("Copy Image to Clipboard")));
    QAction* paste = disabled(
        c.addAction("PastefromClipboard1", QStringLiteral("Paste Image from Clipboard...")));

    openButton_ = glyphButton("SpeedButton6", Glyph::Open, QStringLiteral("Open Image file"));
    QToolButton* copyButton =
        glyphButton("SpeedButton15", Glyph::Copy, QStringLiteral("Copy Image to Clipboard"));
    QToolButton* pasteButton =
        glyphButton("SpeedButton12", Glyph::Paste, QStringLiteral("Paste Image from Clipboard"));
    formatButton_ =
        glyphButton("RxSpeedButton6", Glyph::Format, QStringLiteral("Format of image map"));
    formatButton_->setPopupMode(QToolButton::InstantPopup);
    formatButton_->setEnabled(false);
    for (QToolButton* b : {openButton_, copyButton, pasteButton, formatButton_})
        c.addWidget(b->objectName().toLatin1().constData(), b);

    formatMenu_ = new QMenu(window());
    formatMenu_->setObjectName(QStringLiteral("RxPopupMenu1"));
    formatGroup_ = new QActionGroup(this);
    formatGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* formatNames[8] = {"N1bit1",  "N4bit1",  "N8bit1",  "N15bit1",
                                  "N16bit1", "N24bit1", "N32bit1", "gray1"};
    const char* formatCaptions[8] = {"1 bit",  "4 bit",  "8 bit",  "15 bit",
                                     "16 bit", "24 bit", "32 bit", "gray"};
    for (int i = 0; i < 8; ++i) {
        QAction* a = formatMenu_->addAction(QString::fromLatin1(formatCaptions[i]));
        a->setObjectName(QString::fromLatin1(formatNames[i]));
        a->setCheckable(true);
        formatGroup_->addAction(a);
        formatItems_[static_cast<std::size_t>(i)] = a;
    }
    formatButton_->setMenu(formatMenu_);

    connect(open, &QAction::triggered, this, &PictureCommands::openImage);
    connect(openButton_, &QToolButton::clicked, this, &PictureCommands::openImage);
    for (int i = 0; i < 4; ++i)
        connect(recentEntries_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { reopenRecent(i + 1); });
    connect(reload, &QAction::triggered, this, [this] { reopenRecent(1); });
    connect(purge, &QAction::triggered, this, &PictureCommands::purgeImage);
    connect(save, &QAction::triggered, this, &PictureCommands::saveImageAs);
    connect(selectScannerItem, &QAction::triggered, this, &PictureCommands::selectScanner);
    connect(scan, &QAction::triggered, this, &PictureCommands::scanImage);
    connect(copy, &QAction::triggered, this, &PictureCommands::copyImageToClipboard);
    connect(copyButton, &QToolButton::clicked, this, &PictureCommands::copyImageToClipboard);
    connect(paste, &QAction::triggered, this, &PictureCommands::pasteImage);
    connect(pasteButton, &QToolButton::clicked, this, &PictureCommands::pasteImage);
    for (int i = 0; i < 7; ++i)
        connect(formatItems_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, f = kMenuFormats[i]] { convertToFormat(f); });
    connect(formatItems_[7], &QAction::triggered, this, &PictureCommands::convertToGrayscale);
    connect(colourConversion_, &QAction::toggled, this,
            [this](bool on) { session().convertBlackWhite = on; });
    connect(clearTableOnNewImage_, &QAction::toggled, this,
            [this](bool on) { session().clearTableOnNewImage = on; });
    connect(&session(), &DigitizingSession::pictureReset, this, &PictureCommands::checkFormatItem);
    connect(&session(), &DigitizingSession::lockChanged, openButton_,
            [this](bool locked) { openButton_->setEnabled(!locked); });
    c.addCommand(QStringLiteral("picture.checkFormat"), [this] { checkFormatItem(); });
    c.addCommand(QStringLiteral("picture.open"), [this] { openImage(); });

    for (QObject* control :
         std::initializer_list<QObject*>{purge, reload, save, copy, formatButton_})
        c.addRule(control, CommandNeeds::Image);
    c.addRule(copyButton, CommandNeeds::Image, true);
    c.addRule(paste, CommandNeeds::ClipboardImage);
    c.addRule(pasteButton, CommandNeeds::ClipboardImage, true);
}

// ---- recent files

RecentFiles PictureCommands::recentFiles() const {
    RecentFiles files;
    for (int i = 0; i < 4; ++i)
        files[static_cast<std::size_t>(i)] =
            ini().readString(ini::kOpenFiles, ini::recentFileKey(i + 1), QString());
    return files;
}

void PictureCommands::readRecentFiles() {
    RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i) {
        QString& path = files[static_cast<std::size_t>(i)];
        if (!path.isEmpty() && !QFileInfo::exists(path)) path.clear();
        ini().writeString(ini::kOpenFiles, ini::recentFileKey(i + 1), path);
    }
    saveIni();
    rebuildRecentMenu();
}

void PictureCommands::rebuildRecentMenu() {
    const RecentFiles files = recentFiles();
    for (int i = 0; i < 4; ++i)
        recentEntries_[static_cast<std::size_t>(i)]->setText(
            recentEntryCaption(files[static_cast<std::size_t>(i)]));
}

// ---- opening

void PictureCommands::openImage() {
    const auto choice =
        prompter().openFile(window(), QStringLiteral("Open image file with graph"),
                            session().pictureDialogFolder(), kOpenFilters, openFilter_);
    if (!choice) return;
    openFilter_ = choice->filter;
    ImageReader reader = readerForPath(choice->path);
    if (choice->filterSwitched && choice->filter == kGifFilter) reader = ImageReader::Gif;
    if (choice->filterSwitched && choice->filter == kTiffFilter) reader = ImageReader::Tiff;
    openImageFile(choice->path, reader);
}

bool PictureCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() &&
        handleFileDrop(
            event,
            [](const QString& path) {
                return !path.endsWith(QLatin1String(".qvx"), Qt::CaseInsensitive);
            },
            [this](const QString& path) { openImageFile(path, readerForPath(path)); }))
        return true;
    return WindowPart::eventFilter(watched, event);
}

bool PictureCommands::openImageFile(const QString& path, ImageReader reader) {
    // A file that cannot be read leaves everything as it was: picture, caption, settings.
    try {
        if (vectorKindOfFile(path) != VectorKind::None) return openVectorFile(path);
        Raster raster = readImageFile(path, reader);
        if (!session().mayReplaceWork()) return false;
        session().document().raster = std::move(raster);
        session().document().dropVectorLayer();
        session().document().vectorLayer = metafileLayer(path);
    } catch (const ImageError& error) {
        inform(error.message(), true);
        return false;
    }
    afterOpen(path);
    return true;
}

// A PDF or SVG page: a PDF of several pages asks which one and at what resolution (a page
// dialog with a preview); the page is rendered and its paths kept beside the raster.
bool PictureCommands::openVectorFile(const QString& path, std::optional<int> page,
                                     std::optional<double> dpi) {
    const VectorFile file(path);
    double chosenDpi = kDefaultVectorDpi;
    try {
        chosenDpi = std::clamp(
            ini().readInteger(ini::kImage, ini::kVectorDpi, static_cast<int>(kDefaultVectorDpi)),
            VectorPageDialog::kLowestDpi, VectorPageDialog::kHighestDpi);
    } catch (const ConversionError&) {
        // A resolution that is no number: the default.
    }
    if (dpi) chosenDpi = *dpi;
    int chosenPage = page.value_or(1);
    if (!page && file.pageCount() > 1) {
        VectorPageDialog dialog(file, chosenDpi, window());
        if (!runDialog(&dialog)) return false;
        chosenPage = dialog.page();
        chosenDpi = dialog.dpi();
        ini().writeInteger(ini::kImage, ini::kVectorDpi, static_cast<int>(chosenDpi));
        saveIni();
    }
    chosenPage = std::clamp(chosenPage, 1, file.pageCount());
    chosenDpi = fittingDpi(file.pageSize(chosenPage), chosenDpi);
    Raster raster = file.render(chosenPage, chosenDpi);
    auto layer = std::make_shared<const VectorLayer>(file.record(chosenPage, chosenDpi));
    if (!session().mayReplaceWork()) return false;
    ImageDocument& document = session().document();
    document.raster = std::move(raster);
    document.vectorLayer = layer;
    document.vectorPage = chosenPage;
    document.vectorDpi = chosenDpi;
    afterOpen(path);
    session().showStatus(message(Msg::VectorPageOpened)
                             .arg(chosenPage)
                             .arg(file.pageCount())
                             .arg(chosenDpi, 0, 'g', 4)
                             .arg(layer->paths.size()));
    return true;
}

void PictureCommands::afterOpen(const QString& path) {
    session().document().fileName = path;
    session().imageFolder = QFileInfo(path).absolutePath();
    ini().writeString(ini::kImage, ini::kDirectory, session().imageFolder);
    session().resetAfterNewImage();
    window()->setWindowTitle(fileCaption(path));
    const RecentFiles files = updatedRecentFiles(recentFiles(), path);
    for (int i = 0; i < 4; ++i)
        ini().writeString(ini::kOpenFiles, ini::recentFileKey(i + 1),
                          files[static_cast<std::size_t>(i)]);
    saveIni();
    rebuildRecentMenu();
    session().releaseDigitizingTools();
}

void PictureCommands::reopenRecent(int slot) {
    if (slot < 1 || slot > 4 ||
        recentEntries_[static_cast<std::size_t>(slot - 1)]->text().isEmpty())
        return;
    const QString path = recentFiles()[static_cast<std::size_t>(slot - 1)];
    if (path.isEmpty()) return;
    openImageFile(path, readerForPath(path));
}

// ---- purge, clipboard, save

void PictureCommands::purgeImage() {
    window()->setWindowTitle(bareCaption());
    session().purgePicture();
}

void PictureCommands::copyImageToClipboard() {
    ImageDocument& document = session().document();
    if (document.raster.isEmpty()) return;
    const MarksShownIn marks(document.raster, document.marks);
    QApplication::clipboard()->setImage(toQImage(document.raster));
}

void PictureCommands::pasteImage() {
    if (!session().mayReplaceWork()) return;
    PasteFormatDialog dialog(window());
    if (!runDialog(&dialog)) return;
    ImageDocument& document = session().document();
    window()->setWindowTitle(pastedCaption());
    document.pasted = true;
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        session().showStatus(message(Msg::NotGraphicClipboard));
        return;
    }
    try {
        document.raster = fromQImage(image);
        document.dropVectorLayer();
        const int choice = dialog.choice();
        if (choice >= PasteFormatDialog::Bit1 && choice <= PasteFormatDialog::Bit32) {
            document.raster = convertPixelFormat(document.raster, kMenuFormats[choice]);
        } else if (choice == PasteFormatDialog::Grayscale) {
            GrayscaleRaster(document.raster);
        }
        session().resetAfterNewImage();
    } catch (const std::exception&) {
        session().showStatus(message(Msg::NotGraphicClipboard));
    }
}

void PictureCommands::saveImageAs() {
    ImageDocument& document = session().document();
    if (document.raster.isEmpty()) {
        inform(message(Msg::NoImage));
        return;
    }
    const auto choice = prompter().saveFile(
        window(), message(Msg::SaveImageTitle), session().pictureDialogFolder(),
        {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("PNG images (*.png)")}, QString());
    if (!choice) return;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter().question(window(), message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    try {
        const MarksShownIn marks(document.raster, document.marks);
        writeImageFile(document.raster, path);
    } catch (const ImageError& error) {
        inform(error.message(), true);
    }
}

// ---- scanner

void PictureCommands::selectScanner() {
    QList<ScannerDevice> devices;
    try {
        devices = scannerDevices();
    } catch (const ImageError& error) {
        inform(message(Msg::ScanFailed).arg(error.message()), true);
        return;
    }
    if (devices.isEmpty()) {
        inform(message(Msg::NoScanner), true);
        return;
    }
    ScannerSourceDialog dialog(devices, scannerDevice_, window());
    if (runDialog(&dialog)) scannerDevice_ = dialog.chosenDevice();
}

void PictureCommands::scanImage() {
    if (session().longOperationRunning()) return; // one long operation at a time
    if (!session().mayReplaceWork()) return;
    try {
        QString device = scannerDevice_;
        if (device.isEmpty()) {
            const auto devices = scannerDevices();
            if (devices.isEmpty()) {
                inform(message(Msg::NoScanner), true);
                return;
            }
            device = devices.front().name;
        }
        Raster scanned;
        {
            LongOperation operation(session().longOperationHooks(), 100);
            scanned =
                acquireImage(device, [&operation](int percent) { return operation.step(percent); });
        }
        session().document().raster = std::move(scanned);
        session().document().dropVectorLayer();
    } catch (const ImageError& error) {
        inform(message(Msg::ScanFailed).arg(error.message()), true);
        return;
    }
    window()->setWindowTitle(scannedCaption());
    session().resetAfterNewImage();
}

// ---- pixel format

void PictureCommands::checkFormatItem() {
    for (auto* item : formatItems_)
        item->setChecked(false);
    for (int i = 0; i < 7; ++i)
        if (session().document().raster.format() == kMenuFormats[i])
            formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
}

void PictureCommands::convertToFormat(PixelFormat format) {
    for (int i = 0; i < 7; ++i)
        if (kMenuFormats[i] == format) formatItems_[static_cast<std::size_t>(i)]->setChecked(true);
    ImageDocument& document = session().document();
    document.formatChangedByUser = true;
    try {
        // "1 bit" goes through the screen format first, as the platform's copy does.
        const auto convert = [format](const Raster& raster) {
            if (format == PixelFormat::Bit1)
                return convertPixelFormat(convertPixelFormat(raster, PixelFormat::Device), format);
            return convertPixelFormat(raster, format);
        };
        Raster converted = convert(document.raster);
        document.marks.followConversion(document.raster, converted, convert);
        document.raster = std::move(converted);
        session().dropVectorLayer();
    } catch (const std::exception& error) {
        inform(QString::fromLocal8Bit(error.what()), true);
    }
    session().pictureEdited();
}

void PictureCommands::convertToGrayscale() {
    formatItems_[7]->setChecked(true);
    ImageDocument& document = session().document();
    document.formatChangedByUser = true;
    try {
        const auto grey = [](const Raster& raster) {
            Raster result = raster;
            GrayscaleRaster(result);
            return result;
        };
        Raster converted = grey(document.raster);
        document.marks.followConversion(document.raster, converted, grey);
        document.raster = std::move(converted);
        session().dropVectorLayer();
    } catch (const std::exception&) {
        formatItems_[7]->setChecked(false);
    }
    session().pictureEdited();
}

} // namespace quorvex
