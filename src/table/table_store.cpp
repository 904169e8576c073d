#include "table/table_store.h"

#include <algorithm>

namespace quorvex {

// Entry layout: one byte column, two bytes length (little-endian), then the UTF-8 text.
namespace {
constexpr std::size_t kEntryHeader = 3;
std::size_t lengthAt(std::string_view row, std::size_t at) {
    return static_cast<unsigned char>(row[at + 1]) |
           (static_cast<std::size_t>(static_cast<unsigned char>(row[at + 2])) << 8);
}
} // namespace

std::size_t TableStore::find(const std::string& row, int column, std::size_t* length) {
    std::size_t at = 0;
    while (at < row.size()) {
        const int entryColumn = static_cast<unsigned char>(row[at]);
        const std::size_t entryLength = lengthAt(row, at);
        if (entryColumn == column) {
            *length = entryLength;
            return at;
        }
        if (entryColumn > column) break;
        at += kEntryHeader + entryLength;
    }
    return std::string::npos;
}

QString TableStore::cell(int column, int row) const {
    if (row < 0 || row >= storedRows() || column < 0 || column >= kMaxColumns) return QString();
    std::size_t length = 0;
    const std::string& buffer = rows_[static_cast<std::size_t>(row)];
    const std::size_t at = find(buffer, column, &length);
    if (at == std::string::npos) return QString();
    return QString::fromUtf8(buffer.data() + at + kEntryHeader, static_cast<qsizetype>(length));
}

bool TableStore::isEmpty(int column, int row) const {
    if (row < 0 || row >= storedRows()) return true;
    std::size_t length = 0;
    return find(rows_[static_cast<std::size_t>(row)], column, &length) == std::string::npos;
}

void TableStore::setCell(int column, int row, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string_view bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    writeCells(column, row, &bytes, 1);
}

std::string_view TableStore::cellBytes(int column, int row) const {
    if (row < 0 || row >= storedRows() || column < 0 || column >= kMaxColumns) return {};
    std::size_t length = 0;
    const std::string& buffer = rows_[static_cast<std::size_t>(row)];
    const std::size_t at = find(buffer, column, &length);
    if (at == std::string::npos) return {};
    return std::string_view(buffer.data() + at + kEntryHeader, length);
}

void TableStore::setCellBytes(int column, int row, std::string_view utf8) {
    writeCells(column, row, &utf8, 1);
}

void TableStore::setPairBytes(int column, int row, std::string_view first,
                              std::string_view second) {
    const std::string_view texts[2] = {first, second};
    writeCells(column, row, texts, 2);
}

void TableStore::writeCells(int column, int row, const std::string_view* texts, int count) {
    if (row < 0 || column < 0 || column + count > kMaxColumns) return;
    std::string_view fitted[2];
    bool anyText = false;
    for (int k = 0; k < count; ++k) {
        fitted[k] = texts[k].substr(0, 0xFFFF); // a cell holds at most 65535 bytes
        anyText = anyText || !fitted[k].empty();
    }
    if (row >= storedRows() && !anyText) return;
    remember(row);
    if (row >= storedRows()) rows_.resize(static_cast<std::size_t>(row) + 1);
    std::string& buffer = rows_[static_cast<std::size_t>(row)];
    // Rebuild the row, the entries in column order, in a scratch buffer; the row then keeps its
    // own allocation when that is close to the size it needs, else gets exactly that size.
    thread_local std::string rebuilt;
    rebuilt.clear();
    bool written = false;
    auto writeNew = [&] {
        for (int k = 0; k < count; ++k) {
            if (fitted[k].empty()) continue;
            rebuilt += static_cast<char>(column + k);
            rebuilt += static_cast<char>(fitted[k].size() & 0xFF);
            rebuilt += static_cast<char>((fitted[k].size() >> 8) & 0xFF);
            rebuilt.append(fitted[k]);
        }
        written = true;
    };
    for (std::size_t at = 0; at < buffer.size();) {
        const int entryColumn = static_cast<unsigned char>(buffer[at]);
        const std::size_t entrySize = kEntryHeader + lengthAt(buffer, at);
        if (!written && entryColumn >= column) writeNew();
        if (entryColumn < column || entryColumn >= column + count)
            rebuilt.append(buffer, at, entrySize);
        at += entrySize;
    }
    if (!written) writeNew();
    if (buffer.capacity() >= rebuilt.size() && buffer.capacity() <= 2 * rebuilt.size() + 16)
        buffer.assign(rebuilt);
    else
        buffer = std::string(rebuilt);
}

void TableStore::permutePairRows(int column, int firstRow, const std::vector<int>& source) {
    const int count = static_cast<int>(source.size());
    if (count == 0 || firstRow < 0) return;
    const int lastRow = firstRow + count - 1;
    for (int row = firstRow; row <= lastRow; ++row)
        remember(row);
    if (lastRow >= storedRows()) rows_.resize(static_cast<std::size_t>(lastRow) + 1);
    // The bytes of the pair's two entries of every row, taken out of the rows. A row that held
    // nothing else gives its whole buffer away without a copy.
    std::vector<std::string> parts(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string& buffer = rows_[static_cast<std::size_t>(firstRow + i)];
        std::size_t begin = 0;
        while (begin < buffer.size() && static_cast<unsigned char>(buffer[begin]) < column)
            begin += kEntryHeader + lengthAt(buffer, begin);
        std::size_t end = begin;
        while (end < buffer.size() && static_cast<unsigned char>(buffer[end]) <= column + 1)
            end += kEntryHeader + lengthAt(buffer, end);
        if (begin == 0 && end == buffer.size()) {
            parts[static_cast<std::size_t>(i)].swap(buffer);
        } else if (end > begin) {
            parts[static_cast<std::size_t>(i)].assign(buffer, begin, end - begin);
            buffer.erase(begin, end - begin);
        }
    }
    for (int i = 0; i < count; ++i) {
        std::string& part = parts[static_cast<std::size_t>(source[static_cast<std::size_t>(i)])];
        std::string& buffer = rows_[static_cast<std::size_t>(firstRow + i)];
        if (buffer.empty()) {
            buffer.swap(part);
            continue;
        }
        std::size_t at = 0;
        while (at < buffer.size() && static_cast<unsigned char>(buffer[at]) < column)
            at += kEntryHeader + lengthAt(buffer, at);
        buffer.insert(at, part);
    }
}

void TableStore::appendRowText(int row, int firstColumn, int lastColumn, char delimiter,
                               QByteArray& out) const {
    const std::string* buffer =
        row >= 0 && row < storedRows() ? &rows_[static_cast<std::size_t>(row)] : nullptr;
    std::size_t at = 0;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        if (column > firstColumn) out += delimiter;
        if (!buffer) continue;
        // Entries are sorted by column: advance to this column's entry, if any.
        while (at < buffer->size() && static_cast<unsigned char>((*buffer)[at]) < column)
            at += kEntryHeader + lengthAt(*buffer, at);
        if (at < buffer->size() && static_cast<unsigned char>((*buffer)[at]) == column) {
            const std::size_t length = lengthAt(*buffer, at);
            out.append(buffer->data() + at + kEntryHeader, static_cast<qsizetype>(length));
            at += kEntryHeader + length;
        }
    }
}

void TableStore::replaceLeadingCells(int row, const std::vector<QByteArrayView>& fields) {
    if (row < 0) return;
    const int count = std::min(static_cast<int>(fields.size()), kMaxColumns - 1);
    remember(row);
    if (row >= storedRows()) rows_.resize(static_cast<std::size_t>(row) + 1);
    std::string& buffer = rows_[static_cast<std::size_t>(row)];
    // One allocation of exactly the bytes the row needs.
    std::size_t needed = 0;
    for (int k = 0; k < count; ++k)
        if (!fields[static_cast<std::size_t>(k)].isEmpty())
            needed += kEntryHeader + static_cast<std::size_t>(std::min<qsizetype>(
                                         fields[static_cast<std::size_t>(k)].size(), 0xFFFF));
    for (std::size_t at = 0; at < buffer.size();) {
        const std::size_t entrySize = kEntryHeader + lengthAt(buffer, at);
        if (static_cast<unsigned char>(buffer[at]) > count) needed += entrySize;
        at += entrySize;
    }
    std::string rebuilt;
    rebuilt.reserve(needed);
    for (int k = 0; k < count; ++k) {
        const QByteArrayView field = fields[static_cast<std::size_t>(k)].first(
            std::min<qsizetype>(fields[static_cast<std::size_t>(k)].size(), 0xFFFF));
        if (field.isEmpty()) continue;
        rebuilt += static_cast<char>(k + 1);
        rebuilt += static_cast<char>(field.size() & 0xFF);
        rebuilt += static_cast<char>((field.size() >> 8) & 0xFF);
        rebuilt.append(field.data(), static_cast<std::size_t>(field.size()));
    }
    for (std::size_t at = 0; at < buffer.size();) {
        const std::size_t entrySize = kEntryHeader + lengthAt(buffer, at);
        if (static_cast<unsigned char>(buffer[at]) > count) rebuilt.append(buffer, at, entrySize);
        at += entrySize;
    }
    buffer.swap(rebuilt);
}

void TableStore::clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow) {
    lastRow = std::min(lastRow, storedRows() - 1);
    for (int row = std::max(firstRow, 0); row <= lastRow; ++row) {
        const std::string& buffer = rows_[static_cast<std::size_t>(row)];
        if (buffer.empty()) continue;
        for (int column = firstColumn; column <= lastColumn; ++column)
            if (!isEmpty(column, row)) setCell(column, row, QString());
    }
}

void TableStore::clear() {
    for (int row = 0; row < storedRows(); ++row)
        remember(row);
    rows_.clear();
}

void TableStore::removeRows(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, storedRows() - 1);
    if (first > last) return;
    for (int row = first; row < storedRows(); ++row)
        remember(row);
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
}

namespace {
void appendNumber(std::string& out, std::size_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}
std::size_t readNumber(const std::string& in, std::size_t& at) {
    std::size_t value = 0;
    for (int shift = 0; at < in.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(in[at++]);
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) break;
    }
    return value;
}
} // namespace

void CellTexts::beginRow(int row, int cells) {
    appendNumber(packed_, static_cast<std::size_t>(row - previousRow_));
    appendNumber(packed_, static_cast<std::size_t>(cells));
    previousRow_ = row;
    if (row == 0) {
        titles_ = true;
    } else {
        if (lastRow_ < 1) firstRow_ = row;
        lastRow_ = row;
    }
}

void CellTexts::addCell(int column, std::string_view utf8) {
    packed_ += static_cast<char>(column);
    appendNumber(packed_, utf8.size());
    packed_.append(utf8);
    if (previousRow_ == 0) return;
    if (lastColumn_ < firstColumn_) {
        firstColumn_ = lastColumn_ = column;
    } else {
        firstColumn_ = std::min(firstColumn_, column);
        lastColumn_ = std::max(lastColumn_, column);
    }
}

namespace {
// Reads the next row of packed texts: its number and its cells in column order.
bool readPackedRow(const std::string& in, std::size_t& at, int& row,
                   std::vector<std::pair<int, std::string_view>>& cells) {
    cells.clear();
    if (at >= in.size()) return false;
    row += static_cast<int>(readNumber(in, at));
    const std::size_t count = readNumber(in, at);
    for (std::size_t k = 0; k < count && at < in.size(); ++k) {
        const int column = static_cast<unsigned char>(in[at++]);
        const std::size_t length = readNumber(in, at);
        cells.emplace_back(column, std::string_view(in).substr(at, length));
        at += length;
    }
    return true;
}
} // namespace

CellTexts CellTexts::combined(const CellTexts& earlier, const CellTexts& later) {
    CellTexts out;
    std::size_t atA = 0, atB = 0;
    int rowA = 0, rowB = 0;
    std::vector<std::pair<int, std::string_view>> cellsA, cellsB, merged;
    bool hasA = readPackedRow(earlier.packed_, atA, rowA, cellsA);
    bool hasB = readPackedRow(later.packed_, atB, rowB, cellsB);
    auto write = [&](int row, const std::vector<std::pair<int, std::string_view>>& cells) {
        out.beginRow(row, static_cast<int>(cells.size()));
        for (const auto& [column, text] : cells)
            out.addCell(column, text);
    };
    while (hasA || hasB) {
        if (hasA && (!hasB || rowA < rowB)) {
            write(rowA, cellsA);
            hasA = readPackedRow(earlier.packed_, atA, rowA, cellsA);
        } else if (hasB && (!hasA || rowB < rowA)) {
            write(rowB, cellsB);
            hasB = readPackedRow(later.packed_, atB, rowB, cellsB);
        } else {
            merged.clear();
            std::size_t a = 0, b = 0;
            while (a < cellsA.size() || b < cellsB.size()) {
                if (b == cellsB.size() ||
                    (a < cellsA.size() && cellsA[a].first <= cellsB[b].first)) {
                    if (b < cellsB.size() && cellsB[b].first == cellsA[a].first) ++b;
                    merged.push_back(cellsA[a++]);
                } else {
                    merged.push_back(cellsB[b++]);
                }
            }
            write(rowA, merged);
            hasA = readPackedRow(earlier.packed_, atA, rowA, cellsA);
            hasB = readPackedRow(later.packed_, atB, rowB, cellsB);
        }
    }
    out.finish();
    return out;
}

void TableStore::rememberRow(int row) {
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    if (index >= remembered_.size()) remembered_.resize(std::max(index + 1, rows_.size()));
    if (remembered_[index]) return;
    remembered_[index] = true;
    const std::size_t offset = journalBytes_.size();
    if (row < storedRows()) journalBytes_ += rows_[index];
    journal_.push_back({row, offset, journalBytes_.size() - offset});
}

void TableStore::startJournal() {
    journaling_ = true;
    journal_.clear();
    journalBytes_.clear();
    remembered_.assign(rows_.size(), false);
}

CellTexts TableStore::finishJournal() {
    journaling_ = false;
    const auto byRow = [](const JournalEntry& a, const JournalEntry& b) { return a.row < b.row; };
    if (!std::is_sorted(journal_.begin(), journal_.end(), byRow))
        std::sort(journal_.begin(), journal_.end(), byRow);
    CellTexts changes;
    std::vector<std::pair<int, std::string_view>> changed;
    for (const JournalEntry& entry : journal_) {
        const int row = entry.row;
        const std::string_view before(journalBytes_.data() + entry.offset, entry.length);
        const std::string_view now = row < storedRows()
                                         ? std::string_view(rows_[static_cast<std::size_t>(row)])
                                         : std::string_view();
        if (before == now) continue;
        // Both rows hold their entries in column order: walk them side by side.
        changed.clear();
        std::size_t a = 0, b = 0;
        while (a < before.size() || b < now.size()) {
            const int columnA = a < before.size() ? static_cast<unsigned char>(before[a]) : 256;
            const int columnB = b < now.size() ? static_cast<unsigned char>(now[b]) : 256;
            const std::size_t lengthA =
                columnA <= columnB && a < before.size() ? lengthAt(before, a) : 0;
            const std::size_t lengthB = columnB <= columnA && b < now.size() ? lengthAt(now, b) : 0;
            const std::string_view textA =
                columnA <= columnB ? before.substr(a + kEntryHeader, lengthA) : std::string_view();
            const std::string_view textB =
                columnB <= columnA ? now.substr(b + kEntryHeader, lengthB) : std::string_view();
            if (textA != textB) changed.emplace_back(std::min(columnA, columnB), textA);
            if (columnA <= columnB) a += kEntryHeader + lengthA;
            if (columnB <= columnA) b += kEntryHeader + lengthB;
        }
        if (changed.empty()) continue;
        changes.beginRow(row, static_cast<int>(changed.size()));
        for (const auto& [column, text] : changed)
            changes.addCell(column, text);
    }
    changes.finish();
    journal_.clear();
    journal_.shrink_to_fit();
    journalBytes_.clear();
    journalBytes_.shrink_to_fit();
    remembered_.clear();
    remembered_.shrink_to_fit();
    return changes;
}

CellTexts TableStore::exchange(const CellTexts& texts) {
    CellTexts replaced;
    std::vector<std::pair<int, std::string_view>> cells;
    std::string current;
    std::size_t at = 0;
    int row = 0;
    while (readPackedRow(texts.packed_, at, row, cells)) {
        replaced.beginRow(row, static_cast<int>(cells.size()));
        for (const auto& [column, text] : cells) {
            current.assign(cellBytes(column, row));
            replaced.addCell(column, current);
            setCellBytes(column, row, text);
        }
    }
    replaced.finish();
    return replaced;
}

std::size_t TableStore::memoryBytes() const {
    std::size_t bytes = rows_.capacity() * sizeof(std::string);
    for (const auto& row : rows_)
        if (row.capacity() > 15) bytes += row.capacity() + 1; // beyond the string's own buffer
    return bytes;
}

} // namespace quorvex
