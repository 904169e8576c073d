#pragma once

#include "app/gui/window_part.h"

class QAction;

namespace quorvex {

// "Undo" and "Redo" of the Edit menu: they step through the history of the Table's changes and
// name the change they would undo or redo.
class HistoryCommands : public WindowPart {
    Q_OBJECT
public:
    explicit HistoryCommands(const PartContext& context);

    void undo();
    void redo();

private:
    void updateActions();

    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
};

} // namespace quorvex
