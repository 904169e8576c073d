#include "core/messages.h"
#include "core/numbers.h"
#include "table/table.h"

#include <QLocale>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

QString header(const Table& t, int column) {
    return t.cell(column, 0);
}

} // namespace

TEST(TableStore, SparseCellsKeepTheirText) {
    TableStore s;
    EXPECT_TRUE(s.isEmpty(3, 5));
    s.setCell(3, 5, "1.5");
    s.setCell(1, 5, "x");
    s.setCell(40, 5, QString::fromUtf8("ünï"));
    EXPECT_EQ(s.cell(3, 5), "1.5");
    EXPECT_EQ(s.cell(1, 5), "x");
    EXPECT_EQ(s.cell(40, 5), QString::fromUtf8("ünï"));
    s.setCell(3, 5, "replaced");
    EXPECT_EQ(s.cell(3, 5), "replaced");
    EXPECT_EQ(s.cell(1, 5), "x");
    s.setCell(1, 5, "");
    EXPECT_TRUE(s.isEmpty(1, 5));
    EXPECT_EQ(s.cell(3, 5), "replaced");
    EXPECT_EQ(s.cell(2, 99999), "");
    EXPECT_EQ(s.storedRows(), 6);
    s.removeRows(0, 3);
    EXPECT_EQ(s.cell(3, 1), "replaced");
}

// Moving a pair's cells between rows leaves every other column where it was, whether a row
// holds other cells, only the pair, or nothing.
TEST(TableStore, PairCellsMoveAlone) {
    TableStore s;
    const char* pair[4][2] = {{"a1", "b1"}, {"a2", ""}, {"", ""}, {"a4", "b4"}};
    for (int r = 0; r < 4; ++r)
        s.setPairBytes(3, r + 1, pair[r][0], pair[r][1]);
    s.setCell(1, 1, "left1");
    s.setCell(5, 1, "right1");
    s.setCell(2, 3, "left3");
    s.setCell(5, 4, "right4");
    s.permutePairRows(3, 1, {3, 2, 0, 1}); // rows 1..4 take the pairs of rows 4, 3, 1, 2
    const char* expected[4][2] = {{"a4", "b4"}, {"", ""}, {"a1", "b1"}, {"a2", ""}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(s.cellBytes(3, r + 1), expected[r][0]) << r;
        EXPECT_EQ(s.cellBytes(4, r + 1), expected[r][1]) << r;
    }
    EXPECT_EQ(s.cell(1, 1), "left1");
    EXPECT_EQ(s.cell(5, 1), "right1");
    EXPECT_EQ(s.cell(2, 3), "left3");
    EXPECT_EQ(s.cell(5, 4), "right4");
    // Rows beyond the stored ones take part as empty rows.
    s.permutePairRows(3, 4, {1, 0});
    EXPECT_TRUE(s.isEmpty(3, 4));
    EXPECT_EQ(s.cell(3, 5), "a2");
    EXPECT_EQ(s.cell(5, 4), "right4");
}

TEST(TableStore, EmptyRowsCostNothingButTheRowTable) {
    TableStore s;
    s.setCell(1, 99999, "7");
    EXPECT_LT(s.memoryBytes(), 100000u * sizeof(std::string) + 64);
}

TEST(Table, StartState) {
    Table t;
    EXPECT_EQ(t.pairCount(), 1);
    EXPECT_EQ(t.rowCountSetting(), 30);
    EXPECT_EQ(t.gridColumnCount(), 3);
    EXPECT_EQ(t.gridRowCount(), 31);
    EXPECT_EQ(t.cell(0, 0), "N");
    EXPECT_EQ(t.cell(0, 17), "17");
    EXPECT_EQ(header(t, 1), "X1");
    EXPECT_EQ(header(t, 2), "Y1");
    EXPECT_EQ(t.currentCurve(), 1);
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(t.nextRow(n), 1);
    EXPECT_EQ(t.curveLabel(), "N1");
    EXPECT_FALSE(t.firstRowHasData());
}

TEST(Table, AppendPointFillsRowsAndGrowsTheTable) {
    QLocale::setDefault(QLocale::c());
    Table t;
    QSignalSpy rows(&t, &Table::rowCountChanged);
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(t.appendPoint(i * 0.5, -i));
    EXPECT_EQ(t.cell(1, 1), "0.5");
    EXPECT_EQ(t.cell(2, 5), "-5");
    EXPECT_EQ(t.nextRow(1), 6);
    EXPECT_TRUE(t.firstRowHasData());
    for (int i = 6; i <= 31; ++i)
        t.appendPoint(i, i);
    EXPECT_EQ(t.rowCountSetting(), 31);
    EXPECT_EQ(t.cell(1, 31), "31");
    EXPECT_EQ(rows.count(), 1);

    QLocale::setDefault(QLocale(QLocale::German));
    t.appendPoint(1.25, 2);
    EXPECT_EQ(t.cell(1, 32), "1,25");
    QLocale::setDefault(QLocale::c());
}

TEST(Table, AppendPointAtTheLimitDropsThePoint) {
    Table t;
    t.setRowCount(Table::kMaxRows);
    t.setNextRow(1, Table::kMaxRows);
    EXPECT_TRUE(t.appendPoint(1, 2));
    EXPECT_EQ(t.cell(2, Table::kMaxRows), "2");
    EXPECT_EQ(t.nextRow(1), Table::kMaxRows + 1);
    EXPECT_FALSE(t.appendPoint(3, 4));
    EXPECT_EQ(t.rowCountSetting(), Table::kMaxRows);
    EXPECT_EQ(t.nextRow(1), Table::kMaxRows + 1);
}

TEST(Table, NextRowNeverFallsBelowTheFirstDataRow) {
    Table t;
    for (int requested : {0, -1, -100000}) {
        t.setNextRow(3, requested);
        EXPECT_EQ(t.nextRow(3), 1) << requested;
    }
    // A point after such a request lands in row 1, never in the title row.
    t.setNextRow(1, 0);
    ASSERT_TRUE(t.appendPoint(5, 6));
    EXPECT_EQ(t.cell(1, 0), "X1");
    EXPECT_EQ(t.cell(1, 1), "5");
}

TEST(Table, NextCurveAddsAPairAndMarksTheCurrentOne) {
    Table t;
    QSignalSpy switched(&t, &Table::curveSwitched);
    t.appendPoint(1, 1);
    t.nextCurve();
    EXPECT_EQ(t.pairCount(), 2);
    EXPECT_EQ(t.curveText(), "2");
    EXPECT_EQ(header(t, 1), "X1");
    EXPECT_EQ(header(t, 2), "Y1");
    EXPECT_EQ(header(t, 3), "X2*");
    EXPECT_EQ(header(t, 4), "Y2*");
    EXPECT_EQ(t.nextRow(2), 1);
    EXPECT_EQ(switched.count(), 1);
    t.appendPoint(5, 6);
    t.appendPoint(7, 8);
    // Back to curve 1: it continues after its last point.
    t.previousCurve();
    EXPECT_EQ(t.curveText(), "1");
    EXPECT_EQ(header(t, 1), "X1*");
    EXPECT_EQ(header(t, 3), "X2");
    EXPECT_EQ(t.nextRow(1), 2);
    // Up to curve 2 again: it continues after its last point, so no point is overwritten.
    t.nextCurve();
    EXPECT_EQ(t.nextRow(2), 3);
    t.appendPoint(9, 9);
    EXPECT_EQ(t.cell(3, 1), "5");
    EXPECT_EQ(t.cell(3, 2), "7");
    EXPECT_EQ(t.cell(3, 3), "9");
}

TEST(Table, PointsOfACurveBeyondThePairsShowItsColumns) {
    Table t;
    t.setCurveText("3"); // typed: the Table shows one pair
    t.appendPoint(1.5, 2);
    EXPECT_EQ(t.pairCount(), 3);
    EXPECT_EQ(t.gridColumnCount(), 7);
    EXPECT_EQ(header(t, 1), "X1");
    EXPECT_EQ(header(t, 5), "X3*");
    EXPECT_EQ(header(t, 6), "Y3*");
    EXPECT_EQ(t.cell(5, 1), "1.5");
    // A point of a shown pair changes nothing of the shape.
    t.setCurveText("2");
    t.appendPoint(3, 4);
    EXPECT_EQ(t.pairCount(), 3);
}

TEST(Table, PairRevisionsCountChangesOfDataRowsOnly) {
    Table t;
    t.setPairCount(2);
    const auto first = t.pairRevision(1), second = t.pairRevision(2);
    t.appendPoint(1, 1);
    EXPECT_NE(t.pairRevision(1), first);
    EXPECT_EQ(t.pairRevision(2), second) << "another pair's rows did not change";
    const auto afterPoint = t.pairRevision(1);
    t.setCell(1, 0, QStringLiteral("title"));
    EXPECT_EQ(t.pairRevision(1), afterPoint) << "a header is no data row";
    t.cellsWritten(1, 1, 4, 10); // rows moved in every column (a deletion)
    EXPECT_NE(t.pairRevision(1), afterPoint);
    EXPECT_NE(t.pairRevision(2), second);
}

TEST(Table, PreviousCurveAtOneAndStepsOutOfRange) {
    Table t;
    t.previousCurve();
    EXPECT_EQ(t.curveText(), "1");
    EXPECT_EQ(header(t, 1), "X1") << "headers unchanged";
    t.setCurveText("25");
    EXPECT_EQ(t.currentCurve(), 20) << "a typed number beyond 20 is used as 20";
    t.nextCurve();
    EXPECT_EQ(t.curveText(), "2") << "out of range: back to 1, then one up";
    t.setCurveText("20");
    t.setPairCount(20);
    t.nextCurve();
    EXPECT_EQ(t.curveText(), "20") << "a step up from 20 stays at 20";
    EXPECT_EQ(t.pairCount(), 20);
    t.setCurveText("abc");
    EXPECT_THROW(t.currentCurve(), ConversionError);
    EXPECT_THROW(t.appendPoint(1, 1), ConversionError);
}

TEST(Table, HiddenCellsKeepTheirText) {
    Table t;
    t.setPairCount(3);
    t.setCell(5, 2, "x3");
    t.setCell(1, 25, "low");
    t.setPairCount(1);
    t.setRowCount(10);
    EXPECT_EQ(t.gridColumnCount(), 3);
    EXPECT_EQ(t.gridRowCount(), 11);
    t.setPairCount(3);
    t.setRowCount(30);
    EXPECT_EQ(t.cell(5, 2), "x3");
    EXPECT_EQ(t.cell(1, 25), "low");
    t.setPairCount(0);
    EXPECT_EQ(t.pairCount(), 1);
    t.setPairCount(21);
    EXPECT_EQ(t.pairCount(), 20);
}

TEST(Table, ClearOperations) {
    Table t;
    t.setPairCount(3);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 4; ++r)
            t.setCell(c, r, QString::number(c * 10 + r));
    t.setCurveText("2");
    t.setNextRow(2, 5);
    t.clearCurrentPair();
    EXPECT_TRUE(t.isEmpty(3, 1));
    EXPECT_TRUE(t.isEmpty(4, 4));
    EXPECT_EQ(t.cell(1, 1), "11");
    EXPECT_EQ(t.nextRow(2), 1);

    t.setRowCount(40);
    t.clearForNewImage();
    EXPECT_TRUE(t.isEmpty(1, 2));
    EXPECT_TRUE(t.isEmpty(2, 3));
    EXPECT_EQ(t.cell(5, 4), "54") << "other pairs keep their data";
    EXPECT_EQ(t.rowCountSetting(), 30);

    t.setNextRow(3, 9);
    t.clearAllPairs();
    for (int c = 1; c <= 6; ++c)
        EXPECT_TRUE(t.isEmpty(c, 4));
    EXPECT_EQ(t.nextRow(3), 1);
    EXPECT_EQ(header(t, 1), "X1") << "headers stay";
}

TEST(Table, ClearMenuCaptionsAndState) {
    Table t;
    setMessageLanguage(Language::English);
    EXPECT_EQ(t.clearPairCaption(), "Clear only X,Y columns");
    EXPECT_FALSE(t.clearAllEnabled());
    t.nextCurve();
    t.nextCurve();
    EXPECT_EQ(t.clearPairCaption(), "Clear only X3,Y3 columns");
    EXPECT_TRUE(t.clearAllEnabled());
    setMessageLanguage(Language::Russian);
    EXPECT_EQ(t.clearPairCaption(), QString::fromUtf8("Очистить только X3,Y3 колонки"));
    EXPECT_EQ(t.clearAllCaption(), QString::fromUtf8("Очистить все колонки"));
    setMessageLanguage(Language::English);
}

TEST(Table, EditingACellMovesTheNextRowForward) {
    Table t;
    QSignalSpy data(&t, &Table::dataAvailable);
    t.setNextRow(1, 12);
    t.setCell(1, 20, "3");
    t.tableEdited(1, 20);
    EXPECT_EQ(t.nextRow(1), 20);
    EXPECT_EQ(data.count(), 1);
    t.tableEdited(2, 5);
    EXPECT_EQ(t.nextRow(1), 20) << "never moves back";
    t.appendPoint(1, 1);
    EXPECT_EQ(t.cell(1, 20), "1");
}
