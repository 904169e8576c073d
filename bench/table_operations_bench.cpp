// Sorting a pair on X and rewriting its numbers in a format, on 100000 rows, through the code
// the commands run (without the event loop).
#include "bench.h"
#include "core/numbers.h"
#include "table/table_operations.h"

#include <algorithm>
#include <charconv>
#include <random>
#include <vector>

using namespace quorvex;

namespace {

constexpr int kRows = Table::kMaxRows;

// Random X values with about one empty row in a thousand, and Y values, as the Table's texts.
void fillPair(Table& table, std::vector<double>& xs, std::vector<double>& ys) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    table.setRowCount(kRows);
    xs.clear();
    ys.clear();
    for (int row = 1; row <= kRows; ++row) {
        const double x = value(random), y = value(random);
        if (random() % 1000 == 0) {
            table.store().setCell(1, row, QString());
        } else {
            table.store().setCell(1, row, NumberText(x, QChar('.')));
            xs.push_back(x);
        }
        table.store().setCell(2, row, NumberText(y, QChar('.')));
        ys.push_back(y);
    }
}

const bench::Register sortX("sort_x", [] {
    double ms = 1e300, baselineMs = 1e300;
    for (int repeat = 0; repeat < 5; ++repeat) {
        Table table;
        std::vector<double> xs, ys;
        fillPair(table, xs, ys);
        ms = std::min(ms, bench::bestMs(1, [&] {
                          if (sortPairOnX(table, 1, QChar('.'), [](int) { return true; }) !=
                              TableOutcome::Done)
                              std::abort();
                      }));
        baselineMs =
            std::min(baselineMs, bench::bestMs(1, [&] { std::stable_sort(xs.begin(), xs.end()); }));
    }
    bench::report("sort_x", ms, baselineMs);
});

const bench::Register dataFormat("data_format", [] {
    NumberStyle style;
    style.format = NumberFormat::Fixed;
    style.precision = 10;
    style.digits = 4;
    double ms = 1e300, baselineMs = 1e300;
    for (int repeat = 0; repeat < 5; ++repeat) {
        Table table;
        std::vector<double> xs, ys;
        fillPair(table, xs, ys);
        ms = std::min(ms, bench::bestMs(1, [&] {
                          applyNumberFormat(table, 1, FormatColumns::Both, style, QChar('.'),
                                            [](int) { return true; });
                      }));
        std::vector<char> out(64 * 2 * kRows);
        baselineMs =
            std::min(baselineMs, bench::bestMs(1, [&] {
                         char* p = out.data();
                         for (double x : xs)
                             p = std::to_chars(p, p + 64, x, std::chars_format::fixed, 4).ptr;
                         for (double y : ys)
                             p = std::to_chars(p, p + 64, y, std::chars_format::fixed, 4).ptr;
                         if (p == out.data()) std::abort();
                     }));
    }
    bench::report("data_format", ms, baselineMs);
});

} // namespace
