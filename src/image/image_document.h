#pragma once

#include "core/mark_layer.h"
#include "core/raster.h"
#include "image/vector_page.h"

#include <QString>
#include <array>
#include <memory>

namespace quorvex {

// The picture being digitized, with the file it came from and the two flags that decide
// whether a loaded black-and-white picture is turned into a colour one.
struct ImageDocument {
    Raster raster;
    // The program's drawings over the picture (markers, the calibration rectangle, the Bezier
    // stroke): shown and saved with it, never read by recognition.
    MarkLayer marks;
    QString fileName;                 // the file last opened; pasting and scanning keep it
    bool pasted = false;              // the next reset skips the black-and-white conversion
    bool formatChangedByUser = false; // set by the format menu, kept for the whole run
    // A page of a PDF or SVG file: the page (from 1), the resolution it was rendered at, and
    // its paths in the raster's pixels. Gone when the raster no longer matches them.
    int vectorPage = 0;
    double vectorDpi = 0;
    std::shared_ptr<const VectorLayer> vectorLayer;
    bool hasVectorLayer() const { return vectorLayer != nullptr; }
    void dropVectorLayer() {
        vectorLayer.reset();
        vectorPage = 0;
        vectorDpi = 0;
    }
};

// The picture as shown: a copy of the raster with the drawings of the mark layer in it.
Raster shownRaster(const ImageDocument& document);

// The window captions.
QString bareCaption();                    // "Quorvex 2.16"
QString fileCaption(const QString& path); // "Quorvex 2.16 - name.bmp"
QString pastedCaption();
QString scannedCaption();

// The four recent files, most recent first; an empty text is an empty slot.
using RecentFiles = std::array<QString, 4>;
// The list after opening `path`: when a slot holds exactly that path (the last such slot), it
// moves to the front and the entries before it move down; otherwise the path goes in front and
// the last slot drops out.
RecentFiles updatedRecentFiles(const RecentFiles& entries, const QString& path);
// The caption of a recent-file entry: the file name without its folder.
QString recentEntryCaption(const QString& path);

// Whether the reset after a load turns the raster into 24 bits: only a 1- or 4-bit raster that
// was neither pasted nor follows a format change by the user, while the option is on.
bool needsColourConversion(const ImageDocument& document, bool convertBlackWhite);
// The marker colour for a raster format: grey for 1 bit, red for the others; a device raster
// keeps the current colour.
Colour markerColourForFormat(PixelFormat format, Colour current);

} // namespace quorvex
