// Text data files: saving the Table and loading a file into it.
#include "app/gui/main_window.h"

#include "core/messages.h"
#include "exchange/gui/data_file_options_dialog.h"
#include "exchange/text_data.h"
#include "table/table.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QTabWidget>

namespace quorvex {

void MainWindow::saveTable() {
    DataFileOptionsDialog options(this);
    if (!runDialog(&options)) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    const QString folder =
        ini_.readString(ini::kData, ini::kDirectory, QFileInfo(programPath_).absolutePath());
    const auto path =
        prompter_->saveFile(this, QStringLiteral("Save Table as text file"), folder,
                            {QStringLiteral("Data files (*.dat)"),
                             QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")},
                            QStringLiteral("Untitled"));
    if (!path) return;
    if (QFileInfo::exists(*path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    QString error;
    SaveOutcome outcome;
    {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        outcome = saveDataFile(
            *table_, *curve, options.options(), *path,
            [&operation](int row) { return operation.step(row); }, &error);
    }
    if (outcome == SaveOutcome::Failed) {
        prompter_->information(this, error, true);
        return;
    }
    if (outcome == SaveOutcome::Saved) {
        ini_.writeString(ini::kData, ini::kDirectory, QFileInfo(*path).absolutePath());
        saveIni();
    }
}

void MainWindow::openDataFile() {
    const QString folder =
        ini_.readString(ini::kData, ini::kDirectory, QFileInfo(programPath_).absolutePath());
    const auto choice = prompter_->openFile(
        this, QStringLiteral("Import data from file to Table"), folder,
        {QStringLiteral("Text files (*.txt *.dat)"), QStringLiteral("All files (*)")}, 0);
    if (!choice) return;
    QFile file(choice->path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter_->information(this, file.errorString(), true);
        return;
    }
    QString curveError;
    try {
        importDataFile(*table_, file.readAll());
    } catch (const ConversionError& error) {
        // The data is in the Table; only the current curve could not follow it.
        curveError = error.message();
    }
    ini_.writeString(ini::kData, ini::kDirectory, QFileInfo(choice->path).absolutePath());
    saveIni();
    showTable();
    if (!curveError.isEmpty()) prompter_->information(this, curveError, true);
}

} // namespace quorvex
