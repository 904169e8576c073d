#pragma once

#include "autodigit/engine.h"
#include "tools/calibration.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <optional>
#include <stdexcept>

namespace quorvex {

// A digitizing profile: the calibration and the settings of the automatic scan, saved once and
// applied to every chart of the same layout. Stored as JSON:
//   {"format": "quorvex-profile", "version": 1,
//    "calibration": {"pixelLeftBottom": [x, y], "pixelRightTop": [x, y],
//                    "values": ["xLB", "yLB", "xRT", "yRT"], "xScale": 0, "yScale": 0},
//    "recognition": {"mode": "exact|interval|closest|brightness|black|distance",
//                    "colour": "0xBBGGRR", "interval": 0, "side": "left|both|right",
//                    "brightness": 0, "tolerance": 25, "subPixel": false},
//    "scan": {"area": [left, top, right, bottom], "step": 1, "indent": 0, "oneValued": true,
//             "thickness": 2, "selfCorrection": true, "correctionDepth": 15},
//    "grid": {"search": false, "typed": false, "factors": [5, 5], "widths": [3, 3],
//             "rows": "R1 R2 ...", "columns": "C1 C2 ..."},
//    "imageSize": [width, height]}            (optional: the image it was made on)
// Pixel positions are image pixels with rows from the top; corner values are the texts typed.
struct DigitizingProfile {
    Calibration calibration;
    ScanSettings scan;
    QString gridRows, gridColumns; // typed grid lines (rows from the bottom edge)
    std::optional<QSize> imageSize;
};

// The latest version written and read; version 1 (whole pixel corners, no vector mode) is still
// written when it is enough.
inline constexpr int kProfileVersion = 2;

// Why a file is no profile this version can use; message() is for the user.
class ProfileError : public std::runtime_error {
public:
    explicit ProfileError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

QByteArray profileJson(const DigitizingProfile& profile);
// Throws ProfileError for text that is not JSON, not a profile, of a later version, or holds a
// value of the wrong kind or out of range.
DigitizingProfile parseProfile(const QByteArray& json);

// Files: the reader throws ProfileError (naming the file); the writer replaces the file only
// when complete and returns false (with the reason in `error`) when it cannot.
DigitizingProfile readProfileFile(const QString& path);
bool writeProfileFile(const QString& path, const DigitizingProfile& profile,
                      QString* error = nullptr);

// The names of the recognition modes and sides in profiles and on the command line.
QString recognitionModeName(RecognitionMode mode);
std::optional<RecognitionMode> recognitionModeFromName(const QString& name);
QString intervalSideName(IntervalSide side);
std::optional<IntervalSide> intervalSideFromName(const QString& name);

} // namespace quorvex
