// What "Copy to Clipboard" puts on the clipboard: the ranges of the eight modes and their text.
#include "exchange/clipboard_text.h"
#include "table/table.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// A one-pair Table of 30 rows whose rows 1 and 2 hold (1, 2) and (3, 4).
void fillTwoPoints(Table& t) {
    t.appendPoint(1, 2);
    t.appendPoint(3, 4);
}

QByteArray repeated(const QByteArray& line, int times) {
    QByteArray text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

QByteArray copyText(const Table& t, CopyMode mode, char separator, CopyRange custom = {}) {
    const int curve = t.currentCurve();
    if (mode == CopyMode::XColumn) return columnText(t, 2 * curve - 1);
    if (mode == CopyMode::YColumn) return columnText(t, 2 * curve);
    const CopyRange range =
        rangeForMode(mode, curve, t.nextRow(curve), t.gridColumnCount(), t.gridRowCount(), custom);
    return rangeText(t, normalisedRange(range, t.gridColumnCount(), t.gridRowCount()), separator);
}

} // namespace

TEST(CopyRange, NormalisedAgainstTheGrid) {
    const struct {
        CopyRange in, out;
    } cases[] = {
        {{1, 1, -1, -1}, {1, 1, 2, 30}},   // to the last column and row
        {{-1, -1, -1, -1}, {0, 0, 2, 30}}, // from the fixed column and row
        {{2, 5, 1, 3}, {2, 5, 2, 30}},     // an edge below its partner: to the last
        {{0, 1, 0, 3}, {0, 1, 0, 3}},      // inside: as it is
        {{1, 1, 3, 31}, {1, 1, 3, 31}},    // past the grid stays past it
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalisedRange(c.in, 3, 31), c.out)
            << c.in.left << "," << c.in.top << "," << c.in.right << "," << c.in.bottom;
}

TEST(CopyText, TheModesOnAOnePairTable) {
    Table t;
    fillTwoPoints(t);
    ASSERT_EQ(t.gridRowCount(), 31);
    // Mode 0: 30 lines, each field followed by TAB, CR LF at the end.
    EXPECT_EQ(copyText(t, CopyMode::WholeTable, '\t'),
              "1\t2\t\r\n3\t4\t\r\n" + repeated("\t\t\r\n", 28));
    // Mode 1: the header line (a single pair has no asterisks) and the row numbers in front.
    QByteArray withFixed = "N\tX1\tY1\t\r\n1\t1\t2\t\r\n2\t3\t4\t\r\n";
    for (int r = 3; r <= 30; ++r)
        withFixed += QByteArray::number(r) + "\t\t\t\r\n";
    EXPECT_EQ(copyText(t, CopyMode::WholeTableWithFixed, '\t'), withFixed);
    // Mode 2: one more empty field on each line and one more line of empty fields.
    const QByteArray visible = copyText(t, CopyMode::VisibleWithFixed, '\t');
    EXPECT_TRUE(visible.startsWith("N\tX1\tY1\t\t\r\n1\t1\t2\t\t\r\n"));
    EXPECT_TRUE(visible.endsWith("30\t\t\t\t\r\n\t\t\t\t\r\n"));
    EXPECT_EQ(visible.count("\r\n"), 32);
    // Mode 3: the same without the fixed column and row.
    const QByteArray visibleData = copyText(t, CopyMode::VisibleWithoutFixed, ',');
    EXPECT_TRUE(visibleData.startsWith("1,2,,\r\n3,4,,\r\n"));
    EXPECT_EQ(visibleData.count("\r\n"), 31);
    // Modes 4 and 5: the header and rows 1 .. 30, one per line, no separator.
    EXPECT_EQ(copyText(t, CopyMode::XColumn, '\t'), "X1\r\n1\r\n3\r\n" + repeated("\r\n", 28));
    EXPECT_EQ(copyText(t, CopyMode::YColumn, '\t'), "Y1\r\n2\r\n4\r\n" + repeated("\r\n", 28));
    // Mode 6 with NextRow 4: the header, rows 1 .. 3 and the empty row 4.
    t.setNextRow(1, 4);
    EXPECT_EQ(copyText(t, CopyMode::CurrentPair, ' '), "X1 Y1 \r\n1 2 \r\n3 4 \r\n  \r\n  \r\n");
    // Custom: the row numbers 1 .. 3, each followed by the separator (a bare semicolon).
    EXPECT_EQ(copyText(t, CopyMode::Custom, ';', {0, 1, 0, 3}), "1;\r\n2;\r\n3;\r\n");
}

TEST(CopyText, TheCurrentPairOfAnotherCurve) {
    Table t;
    t.setPairCount(2);
    t.nextCurve();
    t.appendPoint(7, 8);
    EXPECT_EQ(copyText(t, CopyMode::CurrentPair, '\t'), "X2*\tY2*\t\r\n7\t8\t\r\n\t\t\r\n");
    EXPECT_TRUE(copyText(t, CopyMode::XColumn, '\t').startsWith("X2*\r\n7\r\n"));
    // A range beyond the grid reads empty cells, also where hidden columns keep text.
    t.setPairCount(1);
    EXPECT_EQ(copyText(t, CopyMode::Custom, ';', {3, 1, 4, 1}), ";;\r\n");
}
