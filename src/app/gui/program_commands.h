#pragma once

#include "app/gui/window_part.h"

namespace quorvex {

// The commands about the program rather than the work: the help (at the topic of the focused
// control), the calculator, the purge of the clipboard and the about box.
class ProgramCommands : public WindowPart {
    Q_OBJECT
public:
    ProgramCommands(const PartContext& context, QString programPath);

    // The help file of the message language, beside the program.
    QString helpFile() const;
    // The section of the help about a control (F1 opens the help there).
    QString helpTopicFor(const QWidget* focus) const;
    void showHelp();

private:
    QString programPath_;
};

} // namespace quorvex
