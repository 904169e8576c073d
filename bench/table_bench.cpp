// Table benchmarks: the memory of a full Table and the speed of appending points.
#include "bench.h"
#include "core/numbers.h"
#include "table/table.h"

#include <QElapsedTimer>
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
                    static_cast<double>(held) / textBytes, ms, held / 1048576.0, textBytes / 1048576.0);
    }
});

const bench::Register tableFill("table_fill", [] {
    const double ms = bench::bestMs(3, [] {
        Table table;
        for (int i = 0; i < 100000; ++i) table.appendPoint(i * 0.1, i * 0.25 - 7);
        if (table.rowCountSetting() != 100000) std::abort();
    });
    std::printf("table_fill ms=%.1f\n", ms);
});

} // namespace
