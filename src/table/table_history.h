#pragma once

#include "table/table.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstdint>

namespace quorvex {

// What kind of input a change was: the two undo commands of digitizing look for their own.
enum class ChangeKind { Edit, Point, Digitization };

// The history of the Table: every change is one command on an undo stack, named for what it
// did, holding only the old texts of the cells it changed. The stack keeps the newest
// kUndoLimit commands.
class TableHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 100;

    explicit TableHistory(Table& table, QObject* parent = nullptr);

    QUndoStack& stack() { return stack_; }
    const QUndoStack& stack() const { return stack_; }

    // A change opens, collects every change of the Table, and closes as one command; changes
    // opened inside it join it. `group` ties several commands into one digitization (the
    // points of one manual input); digitization commands of one group that follow each other
    // become one (the points of a search stroke). A change that altered nothing leaves no
    // command.
    void open(const QString& name, ChangeKind kind = ChangeKind::Edit, std::uint64_t group = 0);
    void rename(const QString& name);
    // Returns the serial of the command it pushed, 0 when it pushed none.
    std::uint64_t close();
    bool isOpen() const { return depth_ > 0; }

    // A new group for the commands of one digitization.
    std::uint64_t newGroup() { return ++lastSerial_; }
    // Whether the newest done command is the one with this serial.
    bool isNewest(std::uint64_t serial) const;
    // The stack index that undoes the digitization `group` and what came after it, when all
    // that came after it touched only the rows of that digitization in its own pair (columns
    // xColumn and xColumn + 1); -1 when the digitization is not in the done part of the stack
    // or a later command changed other cells.
    int undoIndexOfDigitization(std::uint64_t group, int xColumn) const;
    // The bytes the commands hold.
    std::size_t memoryBytes() const;
    // Forgets every command (a new picture, a new Table).
    void clear() { stack_.clear(); }

private:
    Table& table_;
    QUndoStack stack_;
    int depth_ = 0;
    QString name_;
    ChangeKind kind_ = ChangeKind::Edit;
    std::uint64_t group_ = 0;
    std::uint64_t lastSerial_ = 0;
};

// Opens a change of the Table for as long as it lives.
class TableChangeScope {
public:
    TableChangeScope(TableHistory& history, const QString& name, ChangeKind kind = ChangeKind::Edit,
                     std::uint64_t group = 0)
        : history_(history) {
        history_.open(name, kind, group);
    }
    ~TableChangeScope() {
        if (!closed_) history_.close();
    }
    TableChangeScope(const TableChangeScope&) = delete;
    TableChangeScope& operator=(const TableChangeScope&) = delete;
    void rename(const QString& name) { history_.rename(name); }
    std::uint64_t close() {
        closed_ = true;
        return history_.close();
    }

private:
    TableHistory& history_;
    bool closed_ = false;
};

} // namespace quorvex
