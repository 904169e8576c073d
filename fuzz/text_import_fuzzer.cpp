// Imports arbitrary bytes as a data file into a Table that already holds a few points, then
// checks what the Table promises: its size within the limits, every curve's next row between 1
// and one past the last row, and the title row untouched.
#include "exchange/text_data.h"
#include "fuzz_support.h"
#include "table/table.h"

#include <QStringList>

using quorvex::Table;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Table table;
    table.setPairCount(3);
    table.appendPoint(1.5, 2.5);
    table.appendPoint(2.5, 3.5);
    QStringList titles;
    for (int column = 0; column < table.gridColumnCount(); ++column)
        titles << table.cell(column, 0);

    quorvex::importDataFile(
        table, QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));

    fuzz::check(table.rowCountSetting() >= 1 && table.rowCountSetting() <= Table::kMaxRows,
                "a row count beyond the limits");
    fuzz::check(table.gridColumnCount() <= 2 * Table::kMaxPairs + 1,
                "more columns than the Table has");
    for (int curve = 1; curve <= Table::kMaxPairs; ++curve)
        fuzz::check(table.nextRow(curve) >= 1 && table.nextRow(curve) <= Table::kMaxRows + 1,
                    "a next row outside the Table");
    for (int column = 0; column < titles.size(); ++column)
        fuzz::check(table.cell(column, 0) == titles[column], "a title cell changed");
    return 0;
}
