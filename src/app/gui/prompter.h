#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace quorvex {

enum class Answer { Yes, No, Cancel };

// Everything the main window asks the user through a standard or modal dialog goes through
// this interface: the program installs QtPrompter, tests install a scripted one.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A confirmation with Yes and No, and Cancel when asked for.
    virtual Answer question(QWidget* parent, const QString& text, bool withCancel) = 0;
    // A message with an OK button; `warning` shows it as an error.
    virtual void information(QWidget* parent, const QString& text, bool warning = false) = 0;

    struct OpenChoice {
        QString path;
        int filter = 0;              // the file type shown when the dialog closed
        bool filterSwitched = false; // the user chose another file type while it was shown
    };
    virtual std::optional<OpenChoice> openFile(QWidget* parent, const QString& title,
                                               const QString& folder, const QStringList& filters,
                                               int filter) = 0;
    // A name typed without an extension gets that of the file type chosen in the dialog.
    struct SaveChoice {
        QString path;
        int filter = 0; // the file type chosen when the dialog closed
    };
    virtual std::optional<SaveChoice> saveFile(QWidget* parent, const QString& title,
                                               const QString& folder, const QStringList& filters,
                                               const QString& initialName) = 0;
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial) = 0;
    // Shows one of the program's own modal dialogs; true when it was accepted.
    virtual bool run(QDialog* dialog) = 0;
    // Sets up a print job before it starts: the program prints on the default printer as it
    // is, without asking.
    virtual void preparePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Opens a file with the desktop's application for its type; false when none takes it.
    virtual bool openDocument(const QString& path) = 0;
};

// The real dialogs.
class QtPrompter : public Prompter {
public:
    Answer question(QWidget* parent, const QString& text, bool withCancel) override;
    void information(QWidget* parent, const QString& text, bool warning) override;
    std::optional<OpenChoice> openFile(QWidget* parent, const QString& title, const QString& folder,
                                       const QStringList& filters, int filter) override;
    std::optional<SaveChoice> saveFile(QWidget* parent, const QString& title, const QString& folder,
                                       const QStringList& filters,
                                       const QString& initialName) override;
    std::optional<QColor> colour(QWidget* parent, const QColor& initial) override;
    bool run(QDialog* dialog) override;
    void preparePrinter(QWidget* parent, QPrinter& printer) override;
    bool openDocument(const QString& path) override;
};

} // namespace quorvex
