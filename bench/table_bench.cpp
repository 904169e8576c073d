// Table benchmarks: the memory of a full Table and the speed of appending points.
#include "bench.h"
#include "core/numbers.h"
#include "table/table.h"

#include <QElapsedTimer>
#include <cmath>
#include <malloc.h>

using namespace quorvex;

namespace {

const bench::Register tableMemory("table_memory", [] {
    // Memory is what the heap says the store holds, against the bytes of the texts.
    const std::size_t heapBefore = mallinfo2().uordblks;
    QElapsedTimer timer;
    timer.start();
    std::size_t textBytes = 0;
    {
        TableStore store;
        for (int row = 1; row <= 100000; ++row)
            for (int column = 1; column <= 40; ++column) {
                const QString text = NumberText(row * 0.001 + column * 1234.5678901, QChar('.'));
                textBytes += static_cast<std::size_t>(text.toUtf8().size());
                store.setCell(column, row, text);
            }
        const double ms = timer.nsecsElapsed() / 1e6;
        const std::size_t held = mallinfo2().uordblks - heapBefore;
        std::printf("table_memory ratio=%.3f ms=%.1f store_mb=%.1f text_mb=%.1f\n",
                    static_cast<double>(held) / textBytes, ms, held / 1048576.0,
                    textBytes / 1048576.0);
    }
});

const bench::Register tableFill("table_fill", [] {
    const double ms = bench::bestMs(3, [] {
        Table table;
        for (int i = 0; i < 100000; ++i)
            table.appendPoint(i * 0.1, i * 0.25 - 7);
        if (table.rowCountSetting() != 100000) std::abort();
    });
    std::printf("table_fill ms=%.1f\n", ms);
});

} // namespace

#include "exchange/text_data.h"

#include <QFile>
#include <cstdio>

namespace {

// A Table of 100000 rows with two filled pairs, saved as "all columns" and loaded back.
const bench::Register tableSaveLoad("table_save", [] {
    Table table;
    table.setRowCount(Table::kMaxRows);
    for (int i = 0; i < Table::kMaxRows; ++i)
        table.appendPoint(i * 0.01, std::sin(i * 0.01));
    table.nextCurve();
    for (int i = 0; i < Table::kMaxRows; ++i)
        table.appendPoint(i * 0.02, std::cos(i * 0.02) * 1e-7);
    DataFileOptions options;
    options.allColumns = true;
    const QString path = bench::scratchFolder() + "/table.dat";
    const QString plain = bench::scratchFolder() + "/plain.dat";
    saveDataFile(table, 1, options, path, nullptr, nullptr);
    QFile written(path);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    written.close();

    const bench::Pair save = bench::compare(
        5,
        [&] {
            saveDataFile(
                table, 1, options, path, [](int) { return true; }, nullptr);
        },
        [&] {
            FILE* out = std::fopen(plain.toLocal8Bit().constData(), "wb");
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out);
            std::fclose(out);
        });
    std::printf("table_save ratio=%.3f ms=%.1f baseline_ms=%.1f\n", save.ms / save.baselineMs,
                save.ms, save.baselineMs);

    const bench::Pair load = bench::compare(
        5,
        [&] {
            Table loaded;
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            importDataFile(loaded, f.readAll());
            if (loaded.rowCountSetting() != Table::kMaxRows) std::abort();
        },
        [&] {
            FILE* in = std::fopen(plain.toLocal8Bit().constData(), "rb");
            std::vector<char> back(static_cast<std::size_t>(bytes.size()));
            if (std::fread(back.data(), 1, back.size(), in) != back.size()) std::abort();
            std::fclose(in);
        });
    std::printf("table_load ratio=%.3f ms=%.1f baseline_ms=%.1f\n", load.ms / load.baselineMs,
                load.ms, load.baselineMs);
});

} // namespace
