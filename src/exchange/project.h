#pragma once

#include "autodigit/profile.h"
#include "core/colour.h"
#include "table/table.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

namespace quorvex {

// A project file (.qvx): the whole work on one chart in one ZIP archive. It holds
//   manifest.json  {"format": "quorvex-project", "version": 1, "program": ..., "picture": name}
//   picture/NAME   the picture's file as it was opened (or a PNG of the picture when it no
//                  longer matches its file: pasted, scanned, rotated, drawn on)
//   profile.json   the calibration and the scan settings (the digitizing profile)
//   table.txt      every row of the Table from the titles on, its cells separated by tabs
//                  (a tab, line break or backslash inside a cell written \t, \n, \r, \\)
//   session.json   the pairs and rows shown, the rows where curves continue, the current
//                  curve, the curve and marker colours, and for a PDF or SVG picture its page
//                  and resolution
inline constexpr int kProjectVersion = 1;
inline constexpr char kProjectFormat[] = "quorvex-project";

// What a project holds besides the Table, which is written from wherever it is and read back
// into `table`.
struct Project {
    QString pictureName;
    QByteArray pictureBytes;
    DigitizingProfile profile;
    std::unique_ptr<Table> table = std::make_unique<Table>(); // as read
    Colour curveColour = kBlack;
    Colour markerColour = kRed;
    // A PDF or SVG picture: the page shown and the resolution it was rendered at (0: a raster
    // picture).
    int page = 0;
    double dpi = 0;
    QString program; // the program that wrote it
};

// Why a file is no project this version can open; message() is for the user.
class ProjectError : public std::runtime_error {
public:
    explicit ProjectError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// The archive's bytes, and the project read back from them. The reader checks everything
// before it returns (a damaged archive, a foreign one, a later version, a missing or broken
// member, members larger than a project holds) and throws ProjectError with the reason.
QByteArray projectArchive(const Project& project, const Table& table);
Project parseProject(const QByteArray& archive);

// Files: the writer replaces the file only when the whole archive is written; false with the
// reason in `error`. The reader names the file in its errors.
bool writeProjectFile(const QString& path, const Project& project, const Table& table,
                      QString* error = nullptr);
Project readProjectFile(const QString& path);

// The Table's rows as table.txt holds them.
QByteArray projectTableText(const Table& table);

} // namespace quorvex
