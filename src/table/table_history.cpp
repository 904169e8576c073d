#include "table/table_history.h"

#include <QUndoCommand>
#include <algorithm>

namespace quorvex {

namespace {

constexpr int kTableCommandId = 1;

// One change of the Table on the stack. The change is done when it is pushed: the first redo,
// which the stack calls on push, does nothing.
class TableCommand : public QUndoCommand {
public:
    TableCommand(Table& table, Table::Change change, const QString& name, ChangeKind kind,
                 std::uint64_t serial, std::uint64_t group)
        : QUndoCommand(name), table_(table), change_(std::move(change)), kind_(kind),
          serial_(serial), group_(group) {}

    void undo() override { table_.applyChange(change_, true); }
    void redo() override {
        if (pushed_) table_.applyChange(change_, false);
        pushed_ = true;
    }
    int id() const override { return kTableCommandId; }
    // The points of one search stroke arrive one by one and become one command.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const TableCommand*>(other);
        if (kind_ != ChangeKind::Digitization || later->kind_ != kind_ || group_ == 0 ||
            later->group_ != group_)
            return false;
        change_.cells = CellTexts::combined(change_.cells, later->change_.cells);
        change_.after = later->change_.after;
        serial_ = later->serial_;
        setText(later->text());
        return true;
    }

    ChangeKind kind() const { return kind_; }
    std::uint64_t serial() const { return serial_; }
    std::uint64_t group() const { return group_; }
    const CellTexts& cells() const { return change_.cells; }
    std::size_t memoryBytes() const { return sizeof(*this) + change_.memoryBytes(); }

private:
    Table& table_;
    Table::Change change_;
    ChangeKind kind_;
    std::uint64_t serial_, group_;
    bool pushed_ = false;
};

const TableCommand* tableCommand(const QUndoStack& stack, int index) {
    const QUndoCommand* command = stack.command(index);
    return command && command->id() == kTableCommandId ? static_cast<const TableCommand*>(command)
                                                       : nullptr;
}

} // namespace

TableHistory::TableHistory(Table& table, QObject* parent)
    : QObject(parent), table_(table), stack_(this) {
    stack_.setUndoLimit(kUndoLimit);
}

void TableHistory::open(const QString& name, ChangeKind kind, std::uint64_t group) {
    if (depth_++ == 0) {
        name_ = name;
        kind_ = kind;
        group_ = group;
    }
    table_.beginChange();
}

void TableHistory::rename(const QString& name) {
    if (depth_ > 0) name_ = name;
}

std::uint64_t TableHistory::close() {
    if (depth_ == 0) return 0;
    Table::Change change = table_.endChange();
    if (--depth_ > 0 || change.empty()) return 0;
    const std::uint64_t serial = ++lastSerial_;
    stack_.push(new TableCommand(table_, std::move(change), name_, kind_, serial, group_));
    return serial;
}

bool TableHistory::isNewest(std::uint64_t serial) const {
    const TableCommand* newest = tableCommand(stack_, stack_.index() - 1);
    return serial != 0 && newest && newest->serial() == serial;
}

int TableHistory::undoIndexOfDigitization(std::uint64_t group, int xColumn) const {
    if (group == 0) return -1;
    int first = -1;
    for (int i = 0; i < stack_.index(); ++i) {
        const TableCommand* command = tableCommand(stack_, i);
        if (command && command->group() == group) {
            first = i;
            break;
        }
    }
    if (first < 0) return -1;
    // The rows the digitization wrote so far; what came after may only touch those.
    int firstRow = 0, lastRow = -1;
    for (int i = first; i < stack_.index(); ++i) {
        const TableCommand* command = tableCommand(stack_, i);
        if (!command) return -1;
        const CellTexts& cells = command->cells();
        if (!cells.hasDataCells()) continue;
        const bool inPair = cells.firstColumn() >= xColumn && cells.lastColumn() <= xColumn + 1;
        if (!inPair) return -1;
        if (command->group() == group) {
            firstRow = lastRow < firstRow ? cells.firstRow() : std::min(firstRow, cells.firstRow());
            lastRow = std::max(lastRow, cells.lastRow());
            continue;
        }
        if (cells.firstRow() < firstRow || cells.lastRow() > lastRow) return -1;
    }
    return first;
}

std::size_t TableHistory::memoryBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < stack_.count(); ++i)
        if (const TableCommand* command = tableCommand(stack_, i)) bytes += command->memoryBytes();
    return bytes;
}

} // namespace quorvex
