#pragma once

#include "app/digitizing_session.h"
#include "app/gui/command_registry.h"
#include "app/gui/prompter.h"
#include "app/ini_file.h"
#include "core/numbers.h"

#include <QObject>
#include <functional>
#include <optional>

class QDialog;
class QEvent;
class QWidget;

namespace quorvex {

// What every part of the window works with: the session, the command registry, the prompter
// for questions and file dialogs, the INI file, and the window as the parent of dialogs.
struct PartContext {
    DigitizingSession& session;
    CommandRegistry& commands;
    Prompter& prompter;
    IniFile& ini;
    QWidget* window;
    // Shows one of the program's own modal dialogs; true when it was accepted.
    std::function<bool(QDialog*)> runDialog;
};

// A part of the main window: it owns its widgets and its handlers and talks to the session and
// the command registry only; parts never include each other.
class WindowPart : public QObject {
    Q_OBJECT
public:
    explicit WindowPart(const PartContext& context);

protected:
    DigitizingSession& session() const { return context_.session; }
    Table& table() const { return context_.session.table(); }
    TableHistory& history() const { return context_.session.history(); }
    CommandRegistry& commands() const { return context_.commands; }
    Prompter& prompter() const { return context_.prompter; }
    IniFile& ini() const { return context_.ini; }
    QWidget* window() const { return context_.window; }
    bool runDialog(QDialog* dialog) const { return context_.runDialog(dialog); }
    // Writes the INI file; a failure is reported in the status bar.
    void saveIni() const;
    // A message box; `warning` shows it as an error.
    void inform(const QString& text, bool warning = false) const;
    // The current curve number, or nothing after a message when its field holds no integer.
    std::optional<int> readCurve() const;
    // Before a digitization: true when the corner values are no longer the pixel numbers a
    // selection wrote, else as the user answers the question whether to go on in pixels.
    bool uncalibratedCheck() const;
    // Equal X or Y texts of the two corners are refused with a message.
    bool cornerTextsDiffer() const;
    // Empties the current pair as one change of the history; a curve number that is no
    // integer is reported.
    void clearCurrentPair() const;
    // Files dropped on the window: the part that opens a kind of file asks for drops of it; a
    // drag of one local file whose name `wanted` accepts is taken and, when dropped, opened
    // with `open`. Returns whether the event was handled.
    bool handleFileDrop(QEvent* event, const std::function<bool(const QString&)>& wanted,
                        const std::function<void(const QString&)>& open) const;
    // Runs a handler that converts user text, showing a conversion failure in a message box.
    template <typename F> void reportingConversion(F&& handler) const {
        try {
            handler();
        } catch (const ConversionError& error) {
            inform(error.message(), true);
        }
    }

private:
    PartContext context_;
};

} // namespace quorvex
