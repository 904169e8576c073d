// The Table page's operations on small Tables, the number formats, and re-digitize.
#include "core/messages.h"
#include "core/numbers.h"
#include "table/number_format.h"
#include "table/redigitize.h"
#include "table/table_operations.h"
#include "tools/calibration.h"

#include <QLocale>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// Fills pair `curve` with the given X and Y texts from row 1 ("" for an empty cell).
void fill(Table& t, const std::vector<std::pair<QString, QString>>& rows, int curve = 1) {
    t.setPairCount(std::max(t.pairCount(), curve));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        t.setCell(2 * curve - 1, static_cast<int>(i) + 1, rows[i].first);
        t.setCell(2 * curve, static_cast<int>(i) + 1, rows[i].second);
    }
}

std::vector<std::pair<QString, QString>> pairOf(const Table& t, int rows, int curve = 1) {
    std::vector<std::pair<QString, QString>> out;
    for (int r = 1; r <= rows; ++r)
        out.emplace_back(t.cell(2 * curve - 1, r), t.cell(2 * curve, r));
    return out;
}

// The sort as the original pass sort describes it: passes over the rows, swapping neighbours
// whose X cells are both filled and out of order, until a pass swaps nothing.
void passSort(std::vector<std::pair<QString, QString>>& rows) {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t v = 0; v + 1 < rows.size(); ++v) {
            if (rows[v].first.isEmpty() || rows[v + 1].first.isEmpty()) continue;
            if (parseDouble(rows[v].first, '.') > parseDouble(rows[v + 1].first, '.')) {
                std::swap(rows[v], rows[v + 1]);
                swapped = true;
            }
        }
    }
}

} // namespace

TEST(SortOnX, RunsBetweenEmptyRowsEachInOrder) {
    const struct {
        std::vector<std::pair<QString, QString>> before, after;
    } cases[] = {
        {{{"3", "c"}, {"1", "a"}, {"2", "b"}}, {{"1", "a"}, {"2", "b"}, {"3", "c"}}},
        {{{"2", "first"}, {"1", "x"}, {"2", "second"}}, // equal keys keep their order
         {{"1", "x"}, {"2", "first"}, {"2", "second"}}},
        {{{"5", ""}, {"4", ""}, {"3", ""}, {"", "mid"}, {"2", ""}, {"1", ""}},
         {{"3", ""}, {"4", ""}, {"5", ""}, {"", "mid"}, {"1", ""}, {"2", ""}}},
        {{{"1E3", "big"}, {"-2.5", "neg"}, {"0.001", "small"}},
         {{"-2.5", "neg"}, {"0.001", "small"}, {"1E3", "big"}}},
    };
    for (const auto& c : cases) {
        Table t;
        fill(t, c.before, 2);
        t.setCell(1, 1, "other pair");
        t.setNextRow(2, 2);
        EXPECT_EQ(sortPairOnX(t, 2, '.', nullptr), TableOutcome::Done);
        EXPECT_EQ(pairOf(t, static_cast<int>(c.after.size()), 2), c.after);
        EXPECT_EQ(t.cell(1, 1), "other pair");
        EXPECT_EQ(t.nextRow(2), 2);
    }
}

TEST(SortOnX, AFailureOrAStopLeavesThePairAsItWas) {
    const std::vector<std::pair<QString, QString>> rows = {{"3", "a"}, {"1", "b"}, {"x", "c"}};
    Table bad;
    fill(bad, rows);
    try {
        sortPairOnX(bad, 1, '.', nullptr);
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'x' is not a valid floating point value");
    }
    EXPECT_EQ(pairOf(bad, 3), rows);
    Table stopped;
    fill(stopped, {{"3", "a"}, {"1", "b"}});
    EXPECT_EQ(sortPairOnX(stopped, 1, '.', [](int row) { return row < 2; }), TableOutcome::Stopped);
    EXPECT_EQ(pairOf(stopped, 2),
              (std::vector<std::pair<QString, QString>>{{"3", "a"}, {"1", "b"}}));
}

// Only cells that are compared must be numbers: a text alone between empty rows stays put.
TEST(SortOnX, ATextAloneBetweenEmptyRowsIsNotCompared) {
    Table t;
    fill(t, {{"3", "a"}, {"1", "b"}, {"", ""}, {"note", "n"}, {"", ""}, {"9", "c"}, {"8", "d"}});
    EXPECT_EQ(sortPairOnX(t, 1, '.', nullptr), TableOutcome::Done);
    EXPECT_EQ(
        pairOf(t, 7),
        (std::vector<std::pair<QString, QString>>{
            {"1", "b"}, {"3", "a"}, {"", ""}, {"note", "n"}, {"", ""}, {"8", "d"}, {"9", "c"}}));
}

// The stable sort gives exactly the order of the pass sort, on random pairs with empty rows,
// equal keys and negative numbers.
TEST(SortOnX, SameOrderAsThePassSort) {
    std::srand(2024);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 1 + std::rand() % 60;
        std::vector<std::pair<QString, QString>> rows;
        for (int i = 0; i < n; ++i) {
            const bool empty = std::rand() % 7 == 0;
            const QString x =
                empty ? QString()
                      : QString::number(std::rand() % 21 - 10) + (std::rand() % 2 ? ".5" : "");
            rows.emplace_back(x, QString("y%1").arg(i));
        }
        Table t;
        fill(t, rows);
        t.setRowCount(n);
        sortPairOnX(t, 1, '.', nullptr);
        passSort(rows);
        ASSERT_EQ(pairOf(t, n), rows) << "trial " << trial;
    }
}

TEST(DeleteRows, RowsMoveUpInEveryPairAndTheCurveFollows) {
    Table t;
    t.setPairCount(2);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 4; ++c)
            t.setCell(c, r, QString("%1.%2").arg(c).arg(r));
    const struct {
        int from, to, nextBefore, deleted, nextAfter;
    } cases[] = {
        {2, 3, 6, 2, 4}, // the Part's case
        {4, 9, 3, 6, 3}, // rows after the curve's data: nothing of it moves
        {1, 4, 3, 4, 1}, // the curve's rows all gone, never below 1
        {3, 2, 6, 0, 6}, // from after to: nothing deleted
    };
    for (const auto& c : cases) {
        Table copy;
        copy.setPairCount(2);
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 4; ++col)
                copy.setCell(col, r, t.cell(col, r));
        copy.setNextRow(1, c.nextBefore);
        copy.setNextRow(2, 5);
        EXPECT_EQ(deleteRows(copy, 1, c.from, c.to), c.deleted);
        EXPECT_EQ(copy.nextRow(1), c.nextAfter) << c.from << ".." << c.to;
        EXPECT_EQ(copy.nextRow(2), 5);
        EXPECT_EQ(copy.rowCountSetting(), 30);
    }
    deleteRows(t, 1, 2, 3);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(t.cell(c, 2), QString("%1.4").arg(c));
        EXPECT_EQ(t.cell(c, 3), QString("%1.5").arg(c));
        EXPECT_TRUE(t.isEmpty(c, 4));
    }
    EXPECT_EQ(t.cell(0, 3), "3");
    EXPECT_EQ(t.cell(1, 0), "X1");
}

TEST(ReplaceInColumn, EveryOccurrenceInOneColumn) {
    Table t;
    fill(t, {{"1,5", "2,5"}, {"", "x"}, {"1,2,3", "4"}});
    replaceInColumn(t, 1, ',', '.');
    EXPECT_EQ(pairOf(t, 3), (std::vector<std::pair<QString, QString>>{
                                {"1.5", "2,5"}, {"", "x"}, {"1.2.3", "4"}}));
}

TEST(Calculate, EachOperationAndOrder) {
    const struct {
        Arithmetic operation;
        bool valueFirst;
        double value;
        std::vector<QString> before, after;
    } cases[] = {
        {Arithmetic::Subtract, false, 1, {"5", "6", "7"}, {"4", "5", "6"}},
        {Arithmetic::Subtract, true, 1, {"5", "6", "7"}, {"-4", "-5", "-6"}},
        {Arithmetic::Divide, true, 1, {"4"}, {"0.25"}},
        {Arithmetic::Divide, false, 4, {"2"}, {"0.5"}},
        {Arithmetic::Add, false, 2, {"1.5", "", "-2"}, {"3.5", "", "0"}},
        {Arithmetic::Multiply, true, 3, {"0.5"}, {"1.5"}},
    };
    for (const auto& c : cases) {
        Table t;
        for (std::size_t i = 0; i < c.before.size(); ++i)
            t.setCell(2, static_cast<int>(i) + 1, c.before[i]);
        EXPECT_EQ(calculateColumn(t, 2, c.value, c.operation, c.valueFirst, '.', nullptr),
                  TableOutcome::Done);
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(t.cell(2, static_cast<int>(i) + 1), c.after[i]);
    }
}

TEST(Calculate, FailuresKeepTheCellsAlreadyWritten) {
    const struct {
        double value;
        bool valueFirst;
        std::vector<QString> before, after;
        QString message;
    } cases[] = {
        {0, false, {"1", "2"}, {"1", "2"}, "Floating point division by zero"},
        {1, true, {"4", "0", "8"}, {"0.25", "0", "8"}, "Floating point division by zero"},
        {2, false, {"4", "a", "8"}, {"2", "a", "8"}, "'a' is not a valid floating point value"},
        {1E-308, false, {"1", "1E10"}, {"1E308", "1E10"}, "Floating point overflow"},
    };
    for (const auto& c : cases) {
        Table t;
        for (std::size_t i = 0; i < c.before.size(); ++i)
            t.setCell(1, static_cast<int>(i) + 1, c.before[i]);
        QString message;
        try {
            calculateColumn(t, 1, c.value, Arithmetic::Divide, c.valueFirst, '.', nullptr);
        } catch (const ArithmeticError& e) {
            message = e.message();
        } catch (const ConversionError& e) {
            message = e.message();
        }
        EXPECT_EQ(message, c.message);
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(t.cell(1, static_cast<int>(i) + 1), c.after[i]) << c.message.toStdString();
    }
}

TEST(Lagrange, ThroughThePointsOfPairOne) {
    Table t;
    fill(t, {{"0", "0"}, {"1", "1"}, {"2", "4"}, {"3", "9"}});
    t.setPairCount(2);
    t.setCell(3, 1, "1.5");
    t.setCell(3, 2, "-1");
    EXPECT_EQ(interpolateLagrange(t, '.', nullptr), InterpolationOutcome::Done);
    EXPECT_EQ(t.cell(4, 1), "2.25");
    EXPECT_EQ(t.cell(4, 2), "1");
    Table noPoints;
    fill(noPoints, {{"0", "0"}});
    EXPECT_EQ(interpolateLagrange(noPoints, '.', nullptr), InterpolationOutcome::NoPoints);
    Table noNodes;
    noNodes.setCell(3, 1, "1");
    EXPECT_EQ(interpolateLagrange(noNodes, '.', nullptr), InterpolationOutcome::NoNodes);
    Table equal;
    fill(equal, {{"1", "0"}, {"1", "1"}});
    equal.setCell(3, 1, "0.5");
    EXPECT_THROW(interpolateLagrange(equal, '.', nullptr), ArithmeticError);
    EXPECT_TRUE(equal.isEmpty(4, 1));
}

// The nodes are every row up to the last filled one: an empty cell among them is reported,
// never taken silently as the end of the nodes; the same holds for the X2 points.
TEST(Lagrange, AnEmptyCellAmongTheNodesOrPointsIsReported) {
    const struct {
        std::vector<std::pair<QString, QString>> nodes;
        std::vector<QString> points;
    } cases[] = {
        {{{"0", "0"}, {"1", "1"}, {"", ""}, {"3", "9"}}, {"1.5"}},
        {{{"0", "0"}, {"1", ""}, {"2", "4"}}, {"1.5"}},
        {{{"0", "0"}, {"1", "1"}, {"2", "4"}}, {"1.5", "", "2"}},
    };
    for (const auto& c : cases) {
        Table t;
        fill(t, c.nodes);
        t.setPairCount(2);
        for (std::size_t i = 0; i < c.points.size(); ++i)
            t.setCell(3, static_cast<int>(i) + 1, c.points[i]);
        try {
            interpolateLagrange(t, '.', nullptr);
            ADD_FAILURE() << "no conversion error";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), "'' is not a valid floating point value");
        }
    }
    // Four nodes of y = x^3 after an empty first X2 row... and all nodes used: the cubic's
    // value, which three nodes would miss.
    Table cubic;
    fill(cubic, {{"0", "0"}, {"1", "1"}, {"2", "8"}, {"3", "27"}});
    cubic.setPairCount(2);
    cubic.setCell(3, 1, "1.5");
    EXPECT_EQ(interpolateLagrange(cubic, '.', nullptr), InterpolationOutcome::Done);
    EXPECT_EQ(cubic.cell(4, 1), "3.375");
}

TEST(NumberFormat, EveryFormatInBothSeparators) {
    const struct {
        NumberFormat format;
        int precision, digits;
        double value;
        const char* point;
        const char* comma; // decimal ",", thousands "."
    } cases[] = {
        {NumberFormat::General, 10, 20, 12345.11223344556677, "12345.11223", "12345,11223"},
        {NumberFormat::General, 3, 2, 1.5e20, "1.5E20", "1,5E20"},
        {NumberFormat::General, 3, 3, 1.5e-7, "1.5E-007", "1,5E-007"},
        {NumberFormat::Scientific, 3, 2, 1234.5, "1.23E+03", "1,23E+03"},
        {NumberFormat::Scientific, 3, 0, 1234.5, "1.23E+3", "1,23E+3"},
        {NumberFormat::Scientific, 3, 9, -0.00012345, "-1.23E-0004", "-1,23E-0004"},
        {NumberFormat::Scientific, 1, 2, 1234.5, "1.2E+03", "1,2E+03"},
        {NumberFormat::Scientific, 4, 2, 0, "0.000E+00", "0,000E+00"},
        {NumberFormat::Fixed, 10, 2, 1, "1.00", "1,00"},
        {NumberFormat::Fixed, 10, 2, 3.14159, "3.14", "3,14"},
        {NumberFormat::Fixed, 10, 0, 2.5, "2", "2"},
        {NumberFormat::Fixed, 10, 2, -0.001, "0.00", "0,00"},
        {NumberFormat::Fixed, 10, 2, -2.5, "-2.50", "-2,50"},
        {NumberFormat::Fixed, 10, 2, 12345678901.0, "1.23456789E10", "1,23456789E10"},
        {NumberFormat::Number, 10, 1, 1234.5, "1,234.5", "1.234,5"},
        {NumberFormat::Number, 10, 2, -1234567.891, "-1,234,567.89", "-1.234.567,89"},
        {NumberFormat::Number, 10, 1, 999.94, "999.9", "999,9"},
        {NumberFormat::Number, 3, 1, 1234.5, "1.23E3", "1,23E3"},
    };
    for (const auto& c : cases) {
        NumberStyle style;
        style.format = c.format;
        style.precision = c.precision;
        style.digits = c.digits;
        EXPECT_EQ(formatNumber(c.value, style), QString::fromLatin1(c.point)) << c.point;
        style.decimalSeparator = QLatin1Char(',');
        style.thousandSeparator = QStringLiteral(".");
        EXPECT_EQ(formatNumber(c.value, style), QString::fromLatin1(c.comma)) << c.comma;
    }
    // The separators come from the locale.
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(formatNumber(1234.5, localeNumberStyle(NumberFormat::Number, 10, 1)), "1.234,5");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(formatNumber(1234.5, localeNumberStyle(NumberFormat::Number, 10, 1)), "1,234.5");
}

TEST(NumberFormat, AppliedToTheCurrentPair) {
    NumberStyle fixed;
    fixed.format = NumberFormat::Fixed;
    fixed.precision = 10;
    fixed.digits = 2;
    Table t;
    fill(t, {{"1", "7"}, {"2.5", ""}, {"3.14159", "9"}});
    EXPECT_EQ(applyNumberFormat(t, 1, FormatColumns::X, fixed, '.', nullptr), TableOutcome::Done);
    EXPECT_EQ(pairOf(t, 3), (std::vector<std::pair<QString, QString>>{
                                {"1.00", "7"}, {"2.50", ""}, {"3.14", "9"}}));
    Table both;
    fill(both, {{"1", "7"}, {"2.5", ""}, {"3.14159", "9"}});
    applyNumberFormat(both, 1, FormatColumns::Both, fixed, '.', nullptr);
    EXPECT_EQ(pairOf(both, 3), (std::vector<std::pair<QString, QString>>{
                                   {"1.00", "7.00"}, {"2.5", ""}, {"3.14", "9.00"}}));
    Table bad;
    fill(bad, {{"1", "x"}, {"2", "3"}});
    EXPECT_THROW(applyNumberFormat(bad, 1, FormatColumns::Both, fixed, '.', nullptr),
                 ConversionError);
    EXPECT_EQ(bad.cell(1, 1), "1");
    Table stopped;
    fill(stopped, {{"1", "2"}, {"3", "4"}});
    EXPECT_EQ(applyNumberFormat(stopped, 1, FormatColumns::Both, fixed, '.',
                                [](int row) { return row < 2; }),
              TableOutcome::Stopped);
    EXPECT_EQ(pairOf(stopped, 2),
              (std::vector<std::pair<QString, QString>>{{"1.00", "2.00"}, {"3", "4"}}));
}

TEST(Redigitize, LinearInTheTransformedValues) {
    const struct {
        int xTransfer;
        std::vector<std::pair<QString, QString>> before;
        int row1, row2;
        QString x1, x2;
        std::vector<QString> xAfter;
    } cases[] = {
        // linear: 0, 1, 2, 3 with rows 1 and 4 at 10 and 40
        {Linear,
         {{"0", "0"}, {"1", "2"}, {"2", "4"}, {"3", "6"}},
         1,
         4,
         "10",
         "40",
         {"10", "20", "30", "40"}},
        // log10 axis: the Table holds real values 1, 10, 100, 1000; rows 1 and 4 at 2 and 2000
        {Log10Axis,
         {{"1", "0"}, {"10", "2"}, {"100", "4"}, {"1000", "6"}},
         1,
         4,
         "2",
         "2000",
         {"2", "20", "200", "2000"}},
        // 1/X: the Table holds 1/x (1, 0.5, 0.25); rows 1 and 3 at x = 10 and x = 40
        {Reciprocal,
         {{"1", "0"}, {"0.5", "2"}, {"0.25", "4"}},
         1,
         3,
         "10",
         "40",
         {"0.1", "0.05", "0.025"}},
        // the rows given the other way round
        {Linear,
         {{"0", "0"}, {"1", "2"}, {"2", "4"}, {"3", "6"}},
         4,
         1,
         "40",
         "10",
         {"10", "20", "30", "40"}},
    };
    for (const auto& c : cases) {
        Table t;
        fill(t, c.before);
        RedigitizeRequest r;
        r.firstRow = c.row1;
        r.secondRow = c.row2;
        r.newX1 = c.x1;
        r.newX2 = c.x2;
        r.newY1 = c.row1 < c.row2 ? "100" : QString::number(100 + 50 * (c.row1 - 1));
        r.newY2 = c.row1 < c.row2 ? QString::number(100 + 50 * (c.row2 - 1)) : "100";
        r.xTransfer = c.xTransfer;
        EXPECT_EQ(redigitizePair(t, 1, r, '.'), RedigitizeOutcome::Done);
        for (std::size_t i = 0; i < c.xAfter.size(); ++i) {
            EXPECT_NEAR(t.cell(1, int(i) + 1).toDouble(), c.xAfter[i].toDouble(),
                        1e-12 * std::abs(c.xAfter[i].toDouble()))
                << "transfer " << c.xTransfer << " row " << i + 1;
            EXPECT_NEAR(t.cell(2, int(i) + 1).toDouble(), 100 + 50.0 * i, 1e-9);
        }
        EXPECT_EQ(t.nextRow(1), int(c.before.size()) + 1);
    }
}

TEST(Redigitize, CoincidentCoordinatesAndMistakes) {
    const std::vector<std::pair<QString, QString>> rows = {{"1", "1"}, {"2", "2"}, {"3", "3"}};
    const struct {
        int xTransfer;
        QString x1, x2, y1;
        RedigitizeOutcome outcome;
    } cases[] = {
        {Linear, "5", "5", "0", RedigitizeOutcome::Coincident},
        {Log10Axis, "0", "5", "0", RedigitizeOutcome::Mistakes},
        {Linear, "a", "5", "0", RedigitizeOutcome::Mistakes},
        {SquareRoot, "-4", "5", "0", RedigitizeOutcome::Mistakes},
    };
    for (const auto& c : cases) {
        Table t;
        fill(t, rows);
        RedigitizeRequest r;
        r.firstRow = 1;
        r.secondRow = 3;
        r.newX1 = c.x1;
        r.newX2 = c.x2;
        r.newY1 = c.y1;
        r.newY2 = "9";
        r.xTransfer = c.xTransfer;
        EXPECT_EQ(redigitizePair(t, 1, r, '.'), c.outcome) << c.x1.toStdString();
        EXPECT_EQ(pairOf(t, 3), rows);
    }
    // A row that is no number stops the run; the rows before it are rewritten.
    Table t;
    fill(t, {{"0", "0"}, {"1", "1"}, {"x", "2"}, {"3", "3"}});
    RedigitizeRequest r;
    r.firstRow = 1;
    r.secondRow = 2;
    r.newX1 = "0";
    r.newX2 = "10";
    r.newY1 = "0";
    r.newY2 = "10";
    EXPECT_EQ(redigitizePair(t, 1, r, '.'), RedigitizeOutcome::Mistakes);
    EXPECT_EQ(t.cell(1, 2), "10");
    EXPECT_EQ(t.cell(1, 3), "x");
    EXPECT_EQ(t.cell(1, 4), "3");
}
