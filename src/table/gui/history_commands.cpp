#include "table/gui/history_commands.h"

#include "core/messages.h"
#include "table/table_history.h"

#include <QAction>

namespace quorvex {

HistoryCommands::HistoryCommands(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    undoAction_ = c.addAction("EditUndo", message(Msg::HistoryUndo));
    redoAction_ = c.addAction("EditRedo", message(Msg::HistoryRedo));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undoAction_, &QAction::triggered, this, &HistoryCommands::undo);
    connect(redoAction_, &QAction::triggered, this, &HistoryCommands::redo);
    QUndoStack& stack = history().stack();
    connect(&stack, &QUndoStack::indexChanged, this, &HistoryCommands::updateActions);
    connect(&session(), &DigitizingSession::lockChanged, this, &HistoryCommands::updateActions);
    connect(&session(), &DigitizingSession::stateChanged, this, &HistoryCommands::updateActions);
    updateActions();
}

// Nothing is undone under a running operation: it is still changing the Table.
void HistoryCommands::undo() {
    if (session().longOperationRunning() || session().interfaceLocked()) return;
    if (!history().stack().canUndo()) return;
    history().stack().undo();
    session().undoStateChanged();
}

void HistoryCommands::redo() {
    if (session().longOperationRunning() || session().interfaceLocked()) return;
    if (!history().stack().canRedo()) return;
    history().stack().redo();
    session().undoStateChanged();
}

void HistoryCommands::updateActions() {
    const QUndoStack& stack = history().stack();
    const bool free = !session().longOperationRunning() && !session().interfaceLocked();
    undoAction_->setEnabled(free && stack.canUndo());
    redoAction_->setEnabled(free && stack.canRedo());
    undoAction_->setText(stack.canUndo()
                             ? message(Msg::HistoryUndoNamed).arg(stack.undoText())
                             : message(Msg::HistoryUndo));
    redoAction_->setText(stack.canRedo()
                             ? message(Msg::HistoryRedoNamed).arg(stack.redoText())
                             : message(Msg::HistoryRedo));
}

} // namespace quorvex
