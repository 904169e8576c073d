#include "exchange/text_data.h"
#include "table/table.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

QByteArray read(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(DataFile, CurrentPairWithTabOrSpace) {
    QTemporaryDir dir;
    Table t;
    t.appendPoint(1, 2);
    t.appendPoint(3, 4.5);
    t.appendPoint(-5, 6);
    const QString path = dir.filePath("a.dat");
    ASSERT_EQ(saveDataFile(t, 1, DataFileOptions{}, path, nullptr, nullptr), SaveOutcome::Saved);
    QByteArray expected = "1\t2\r\n3\t4.5\r\n-5\t6\r\n";
    for (int i = 0; i < 27; ++i)
        expected += "\t\r\n";
    EXPECT_EQ(read(path), expected);

    DataFileOptions space;
    space.tab = false;
    space.firstLine = true;
    ASSERT_EQ(saveDataFile(t, 1, space, path, nullptr, nullptr), SaveOutcome::Saved);
    const QList<QByteArray> lines = read(path).split('\n');
    EXPECT_EQ(lines[0], "Text\r");
    EXPECT_EQ(lines[1], "1 2\r");
    EXPECT_EQ(lines[4], " \r");
    EXPECT_EQ(lines.size(), 1 + 30 + 1);
}

TEST(DataFile, AllColumnsAndStop) {
    QTemporaryDir dir;
    Table t;
    t.appendPoint(1, 2);
    t.nextCurve();
    t.appendPoint(3, 4);
    DataFileOptions all;
    all.allColumns = true;
    EXPECT_EQ(dataFileLine(t, 1, 2, all), "1\t2\t3\t4");
    EXPECT_EQ(dataFileLine(t, 2, 2, all), "\t\t\t");
    // Stopped after two rows: the file keeps those two lines.
    const QString path = dir.filePath("s.txt");
    int calls = 0;
    EXPECT_EQ(saveDataFile(
                  t, 2, DataFileOptions{}, path, [&](int) { return ++calls <= 2; }, nullptr),
              SaveOutcome::Stopped);
    EXPECT_EQ(read(path), "3\t4\r\n\t\r\n");
    // A folder that does not exist: failure, with the system's reason.
    QString error;
    EXPECT_EQ(saveDataFile(t, 1, all, "/nonexistent/dir/x.dat", nullptr, &error),
              SaveOutcome::Failed);
    EXPECT_FALSE(error.isEmpty());
}

TEST(DataFile, ImportFortyLines) {
    Table t;
    QByteArray data;
    for (int i = 0; i < 40; ++i)
        data += "1\t2\r\n";
    importDataFile(t, data);
    EXPECT_EQ(t.cell(1, 40), "1");
    EXPECT_EQ(t.cell(2, 40), "2");
    EXPECT_EQ(t.rowCountSetting(), 42);
    EXPECT_EQ(t.gridRowCount(), 43);
    EXPECT_TRUE(t.isEmpty(1, 41));
    EXPECT_EQ(t.nextRow(1), 42);
    EXPECT_EQ(t.cell(0, 42), "42");
}

// An import replaces the pairs it reaches: their rows below the file's lines are emptied,
// other pairs keep theirs.
TEST(DataFile, ImportReplacesThePairsItReaches) {
    Table t;
    t.setPairCount(2);
    for (int row = 1; row <= 633; ++row) {
        t.store().setPairBytes(1, row, "old", "old");
        t.store().setPairBytes(3, row, "other", "other");
    }
    t.setRowCount(633);
    QByteArray data;
    for (int i = 0; i < 632; ++i)
        data += "1\t2\r\n";
    importDataFile(t, data);
    EXPECT_EQ(t.cell(1, 632), "1");
    EXPECT_TRUE(t.isEmpty(1, 633));
    EXPECT_TRUE(t.isEmpty(2, 633));
    EXPECT_EQ(t.cell(3, 633), "other");
    // A line of three fields reaches pair 2 as well: its rows below go too.
    importDataFile(t, "1\t2\t3\r\n");
    EXPECT_EQ(t.cell(3, 1), "3");
    EXPECT_TRUE(t.isEmpty(3, 2));
    EXPECT_TRUE(t.isEmpty(4, 2));
}

TEST(DataFile, ImportExtraColumnsSpacesAndLineEnds) {
    Table t;
    t.setCell(2, 3, "kept");
    importDataFile(t, "a\tb\tc\nd e f\rg\t\th\t\n");
    EXPECT_EQ(t.gridColumnCount(), 4) << "a third column without header";
    EXPECT_EQ(t.pairCount(), 1);
    EXPECT_EQ(t.cell(3, 1), "c");
    EXPECT_EQ(t.cell(3, 0), "");
    EXPECT_EQ(t.cell(1, 2), "d e f") << "a space-separated line lands whole in column 1";
    EXPECT_EQ(t.cell(2, 3), "") << "an empty inner field replaces the cell";
    EXPECT_EQ(t.cell(3, 3), "h");
    EXPECT_EQ(t.cell(1, 4), "");
    // Loading a file of 30 lines into a Table of 30 rows sets 32.
    Table u;
    QByteArray thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "5\t6\r\n";
    importDataFile(u, thirty);
    EXPECT_EQ(u.rowCountSetting(), 32);
    EXPECT_EQ(u.nextRow(1), 32);
}

TEST(DataFile, ImportThenSaveReproducesTheColumns) {
    QTemporaryDir dir;
    Table t;
    importDataFile(t, "0.5\t1\r\n2\t3E-6\r\n");
    const QString path = dir.filePath("round.dat");
    ASSERT_EQ(saveDataFile(t, 1, DataFileOptions{}, path, nullptr, nullptr), SaveOutcome::Saved);
    EXPECT_TRUE(read(path).startsWith("0.5\t1\r\n2\t3E-6\r\n\t\r\n"));
}
