#pragma once

#include "app/gui/window_part.h"
#include "image/image_document.h"
#include "image/image_file.h"

#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QToolButton;

namespace quorvex {

// The picture as a document: open (also from the recent files), reload, purge, copy and paste
// through the clipboard, save, the scanner, the pixel format menu, and the two File switches
// that a new picture follows.
class PictureCommands : public WindowPart {
    Q_OBJECT
public:
    explicit PictureCommands(const PartContext& context);

    // Opens a file with a reader; a file that cannot be read leaves everything as it was.
    bool openImageFile(const QString& path, ImageReader reader);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A PDF or SVG file; the page and resolution are asked for (several pages) unless given.
    // Throws ImageError.
    bool openVectorFile(const QString& path, std::optional<int> page = std::nullopt,
                        std::optional<double> dpi = std::nullopt);
    void openImage();
    void reopenRecent(int slot);
    void purgeImage();
    void copyImageToClipboard();
    void pasteImage();
    void saveImageAs();
    void selectScanner();
    void scanImage();
    void convertToFormat(PixelFormat format);
    void convertToGrayscale();
    // At start: slots whose file is gone are cleared in the settings.
    void readRecentFiles();
    // The default options: the open dialog starts with the first file type again.
    void forgetOpenFilter() { openFilter_ = 0; }
    QAction* colourConversionItem() const { return colourConversion_; }
    QAction* clearTableItem() const { return clearTableOnNewImage_; }

private:
    RecentFiles recentFiles() const;
    void rebuildRecentMenu();
    void afterOpen(const QString& path);
    void checkFormatItem();

    QString scannerDevice_;
    int openFilter_ = 0;
    std::array<QAction*, 4> recentEntries_{};
    std::array<QAction*, 8> formatItems_{}; // 1, 4, 8, 15, 16, 24, 32 bit, gray
    QActionGroup* formatGroup_ = nullptr;
    QMenu* formatMenu_ = nullptr;
    QToolButton* formatButton_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QAction* colourConversion_ = nullptr;
    QAction* clearTableOnNewImage_ = nullptr;
};

} // namespace quorvex
