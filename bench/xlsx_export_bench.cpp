// The Table as a spreadsheet workbook: 100000 rows of two filled pairs. Baseline: the same
// Table's "all columns" text compressed with zlib's compress2 at the default level (a workbook
// is compressed XML, so that is the floor of the work). Also the peak memory the export adds
// above the Table's own.
#include "bench.h"
#include "core/numbers.h"
#include "exchange/text_data.h"
#include "exchange/workbook.h"
#include "table/table.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <random>
#include <string>
#include <zlib.h>

using namespace quorvex;

namespace {

constexpr int kRows = Table::kMaxRows;

const bench::Register xlsxExport("xlsx_export", [] {
    Table table;
    table.setPairCount(2);
    table.setRowCount(kRows);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-1000, 1000);
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= 4; ++column)
            table.store().setCell(column, row, NumberText(value(random), QChar('.')));
    DataFileOptions options;
    options.allColumns = true;
    QByteArray text;
    for (int row = 1; row <= kRows; ++row)
        text += dataFileLine(table, row, 1, options) + "\r\n";
    std::vector<Bytef> packed(compressBound(uLong(text.size())));

    const QString path = QDir(bench::scratchFolder()).filePath(QStringLiteral("table.xlsx"));
    long peakKb = 0;
    const bench::Pair best = bench::compare(
        3,
        [&] {
            const long before = bench::statusKb("VmRSS:");
            bench::resetPeak();
            QString error;
            if (writeWorkbook(table, path, QChar('.'), nullptr, &error) != WorkbookOutcome::Written)
                std::abort();
            peakKb = std::max(peakKb, bench::statusKb("VmHWM:") - before);
        },
        [&] {
            uLongf size = uLongf(packed.size());
            if (compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(text.constData()),
                          uLong(text.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
                std::abort();
        });
    std::printf("xlsx_export file_mb=%.1f text_mb=%.1f\n", QFile(path).size() / 1e6,
                text.size() / 1e6);
    std::printf("xlsx_export peak_above_table_mb=%.1f\n", peakKb / 1024.0);
    bench::report("xlsx_export", best.ms, best.baselineMs);
});

} // namespace
