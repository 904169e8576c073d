#pragma once

#include "app/gui/window_part.h"

namespace quorvex {

// Handing the Table to others and taking it in: text data files (saving and loading), the
// clipboard copy of a range, and spreadsheet workbooks (opened by the desktop, or saved).
class DataFiles : public WindowPart {
    Q_OBJECT
public:
    explicit DataFiles(const PartContext& context);

    void saveTable();
    void openDataFile();
    void copyToClipboard();
    void exportToSpreadsheet();
    // True when the workbook was written.
    bool saveTableAsSpreadsheet();

private:
    // The folder the data-file dialogs start in.
    QString dataDialogFolder() const;
    // Writes the Table as a workbook as a long operation; false after a failure (shown) or a
    // stop.
    bool writeTableWorkbook(const QString& path);
};

} // namespace quorvex
