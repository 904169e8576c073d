#pragma once

#include "app/gui/prompter.h"
#include "core/file_filter.h"

#include <QDialog>
#include <QPrinter>
#include <QStringList>
#include <deque>
#include <functional>

namespace quorvex {

// Answers the main window's questions and dialogs from queues the test fills, and records what
// was asked. An empty queue answers No, Cancel or "closed".
class ScriptedPrompter : public Prompter {
public:
    std::deque<Answer> answers;
    // An empty path stands for Cancel.
    std::deque<OpenChoice> openChoices;
    std::deque<QString> savePaths;
    // The file type each save dialog closes with; when empty, the one matching the name.
    std::deque<int> saveFilterChoices;
    std::deque<std::optional<QColor>> colours;
    // Each shown dialog goes to the next handler, which may set its controls; the returned
    // value says whether the dialog was accepted.
    std::deque<std::function<bool(QDialog*)>> dialogs;

    QStringList questions;
    QStringList messages;
    QStringList dialogNames;
    QList<QStringList> openFilters;
    QStringList openFolders;
    QStringList saveFolders;
    QList<QStringList> saveFilters;
    QStringList saveInitialNames;

    Answer question(QWidget*, const QString& text, bool) override {
        questions << text;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void information(QWidget*, const QString& text, bool) override { messages << text; }
    std::optional<OpenChoice> openFile(QWidget*, const QString&, const QString& folder,
                                       const QStringList& filters, int) override {
        openFilters << filters;
        openFolders << folder;
        if (openChoices.empty()) return std::nullopt;
        const OpenChoice c = openChoices.front();
        openChoices.pop_front();
        if (c.path.isEmpty()) return std::nullopt;
        return c;
    }
    std::optional<SaveChoice> saveFile(QWidget*, const QString&, const QString& folder,
                                       const QStringList& filters,
                                       const QString& initialName) override {
        saveFilters << filters;
        saveFolders << folder;
        saveInitialNames << initialName;
        if (savePaths.empty()) return std::nullopt;
        const QString p = savePaths.front();
        savePaths.pop_front();
        if (p.isEmpty()) return std::nullopt;
        // The file type chosen: as scripted, else the one whose extension the name has.
        int filter = 0;
        if (!saveFilterChoices.empty()) {
            filter = saveFilterChoices.front();
            saveFilterChoices.pop_front();
        } else {
            for (int i = 0; i < filters.size(); ++i)
                if (!filterSuffix(filters[i]).isEmpty() &&
                    p.endsWith(QLatin1Char('.') + filterSuffix(filters[i]), Qt::CaseInsensitive))
                    filter = i;
        }
        return SaveChoice{p, filter};
    }
    std::optional<QColor> colour(QWidget*, const QColor&) override {
        if (colours.empty()) return std::nullopt;
        auto c = colours.front();
        colours.pop_front();
        return c;
    }
    // Whether the desktop has an application for documents, and what was opened.
    bool desktopOpensDocuments = false;
    QStringList openedDocuments;
    bool openDocument(const QString& path) override {
        openedDocuments << path;
        return desktopOpensDocuments;
    }
    // Print jobs go to this PDF file (none: the default printer).
    QString printFile;
    void preparePrinter(QWidget*, QPrinter& printer) override {
        if (printFile.isEmpty()) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    bool run(QDialog* dialog) override {
        dialogNames << dialog->objectName();
        if (dialogs.empty()) return false;
        auto handler = dialogs.front();
        dialogs.pop_front();
        return handler(dialog);
    }
};

} // namespace quorvex
