#include "image/image_document.h"

#include <QFileInfo>

namespace quorvex {

Raster shownRaster(const ImageDocument& document) {
    Raster shown = document.raster;
    document.marks.paintInto(shown);
    return shown;
}

QString bareCaption() {
    return QStringLiteral("Quorvex 2.16");
}

QString fileCaption(const QString& path) {
    return bareCaption() + QStringLiteral(" - ") + QFileInfo(path).fileName();
}

QString pastedCaption() {
    return bareCaption() + QStringLiteral(" - image pasted from clipboard");
}

QString scannedCaption() {
    return bareCaption() + QStringLiteral(" - image scanned");
}

RecentFiles updatedRecentFiles(const RecentFiles& entries, const QString& path) {
    int match = -1;
    for (int i = 0; i < 4; ++i)
        if (entries[static_cast<std::size_t>(i)] == path) match = i;
    if (match < 0) return {path, entries[0], entries[1], entries[2]};
    RecentFiles result = entries;
    for (int i = match; i > 0; --i)
        result[static_cast<std::size_t>(i)] = entries[static_cast<std::size_t>(i - 1)];
    result[0] = path;
    return result;
}

QString recentEntryCaption(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

bool needsColourConversion(const ImageDocument& document, bool convertBlackWhite) {
    const PixelFormat f = document.raster.format();
    return !document.pasted && !document.formatChangedByUser && convertBlackWhite &&
           (f == PixelFormat::Bit1 || f == PixelFormat::Bit4);
}

Colour markerColourForFormat(PixelFormat format, Colour current) {
    if (format == PixelFormat::Device) return current;
    return format == PixelFormat::Bit1 ? kGrey : kRed;
}

} // namespace quorvex
