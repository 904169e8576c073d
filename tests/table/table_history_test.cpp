// The history of the Table's changes: each kind of change undone and redone gives the Table back
// exactly, random sequences undo to the start, and a command holds only the cells it changed.
#include "core/numbers.h"
#include "exchange/text_data.h"
#include "grapher/grapher_table.h"
#include "table/number_format.h"
#include "table/redigitize.h"
#include "table/table_history.h"
#include "table/table_operations.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace quorvex;

namespace {

// Everything of the Table a change may alter: every cell's text (titles too), the rows where
// the curves continue, and the grid's shape.
struct TableImage {
    QStringList cells;
    std::vector<int> nextRows;
    int pairs = 0, rows = 0, columns = 0;
    bool operator==(const TableImage& o) const {
        return cells == o.cells && nextRows == o.nextRows && pairs == o.pairs && rows == o.rows &&
               columns == o.columns;
    }
};

TableImage imageOf(const Table& t) {
    TableImage image;
    for (int row = 0; row < t.store().storedRows(); ++row)
        for (int column = 1; column < TableStore::kMaxColumns; ++column)
            if (!t.isEmpty(column, row))
                image.cells
                    << QStringLiteral("%1,%2=%3").arg(column).arg(row).arg(t.cell(column, row));
    for (int curve = 1; curve <= Table::kMaxPairs; ++curve)
        image.nextRows.push_back(t.nextRow(curve));
    image.pairs = t.pairCount();
    image.rows = t.rowCountSetting();
    image.columns = t.gridColumnCount();
    return image;
}

std::ostream& operator<<(std::ostream& out, const TableImage& image) {
    return out << image.cells.join(' ').toStdString() << " pairs " << image.pairs << " rows "
               << image.rows;
}

const RowStep kGoOn = [](int) { return true; };

// Two pairs with numbers, a gap and a text, and a title.
void fillSample(Table& t) {
    t.setPairCount(2);
    const char* const xs[] = {"3.5", "1.25", "", "7", "2", "10.125"};
    const char* const ys[] = {"30", "10.5", "x", "70", "20", "5"};
    for (int i = 0; i < 6; ++i) {
        t.setCell(1, i + 1, QString::fromLatin1(xs[i]));
        t.setCell(2, i + 1, QString::fromLatin1(ys[i]));
        t.setCell(3, i + 1, QString::number(i * 2));
        t.setCell(4, i + 1, QString::number(i * i));
    }
    t.setCell(2, 0, QStringLiteral("Pressure"));
    t.setNextRow(1, 7);
    t.setNextRow(2, 7);
}

NumberStyle fixedStyle(int digits) {
    NumberStyle style;
    style.format = NumberFormat::Fixed;
    style.digits = digits;
    style.thousandSeparator = QString();
    return style;
}

} // namespace

// Each kind of change, done as one command, undone and redone.
TEST(TableHistory, EachKindOfChangeIsUndoneAndRedoneExactly) {
    const struct {
        const char* name;
        std::function<void(Table&)> change;
    } cases[] = {
        {"point", [](Table& t) { t.appendPoint(1.5, 2.5); }},
        {"point into a new pair",
         [](Table& t) {
             t.setCurveText(QStringLiteral("4"));
             t.appendPoint(1.5, 2.5);
         }},
        {"cell edit",
         [](Table& t) {
             t.setCell(2, 3, QStringLiteral("33"));
             t.tableEdited(2, 9);
         }},
        {"title edit", [](Table& t) { t.setCell(1, 0, QStringLiteral("Time")); }},
        {"sort", [](Table& t) { sortPairOnX(t, 1, QLatin1Char('.'), kGoOn); }},
        {"delete rows", [](Table& t) { deleteRows(t, 1, 2, 4); }},
        {"replace", [](Table& t) { replaceInColumn(t, 1, QLatin1Char('.'), QLatin1Char(',')); }},
        {"calculate",
         [](Table& t) {
             calculateColumn(t, 3, 2.5, Arithmetic::Multiply, false, QLatin1Char('.'), kGoOn);
         }},
        {"calculate stopped by a text",
         [](Table& t) {
             EXPECT_THROW(calculateColumn(t, 2, 1, Arithmetic::Add, false, QLatin1Char('.'), kGoOn),
                          ConversionError);
         }},
        {"Lagrange",
         [](Table& t) {
             for (int row = 1; row <= 6; ++row) {
                 t.setCell(1, row, QString::number(row));
                 t.setCell(2, row, QString::number(row * row));
             }
             interpolateLagrange(t, QLatin1Char('.'), kGoOn);
         }},
        {"data format",
         [](Table& t) {
             applyNumberFormat(t, 2, FormatColumns::Both, fixedStyle(3), QLatin1Char('.'), kGoOn);
         }},
        {"re-digitize",
         [](Table& t) {
             RedigitizeRequest request;
             request.firstRow = 1;
             request.secondRow = 2;
             request.newX1 = QStringLiteral("0");
             request.newY1 = QStringLiteral("0");
             request.newX2 = QStringLiteral("100");
             request.newY2 = QStringLiteral("100");
             redigitizePair(t, 2, request, QLatin1Char('.'));
         }},
        {"import", [](Table& t) { importDataFile(t, "1\t2\t3\r\n4\t5\r\n6\t7\t8\t9\t10\r\n"); }},
        {"clear pair", [](Table& t) { t.clearCurrentPair(); }},
        {"clear all", [](Table& t) { t.clearAllPairs(); }},
        {"chart removal", [](Table& t) { removePairRow(t, 2, 3); }},
        {"chart move", [](Table& t) { movePairPoint(t, 2, 4, 4, 9, 9, QLatin1Char('.'), kGoOn); }},
        {"switch and point",
         [](Table& t) {
             t.nextCurve();
             t.appendPoint(5, 6);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table table;
        fillSample(table);
        TableHistory history(table);
        const TableImage before = imageOf(table);
        {
            TableChangeScope change(history, QString::fromLatin1(c.name));
            c.change(table);
        }
        const TableImage after = imageOf(table);
        ASSERT_FALSE(after == before) << "the case changes nothing";
        ASSERT_EQ(history.stack().count(), 1);
        EXPECT_EQ(history.stack().undoText(), QString::fromLatin1(c.name));
        history.stack().undo();
        EXPECT_EQ(imageOf(table), before);
        history.stack().redo();
        EXPECT_EQ(imageOf(table), after);
        history.stack().undo();
        EXPECT_EQ(imageOf(table), before);
    }
}

TEST(TableHistory, AChangeThatAltersNothingLeavesNoCommandAndScopesNest) {
    Table table;
    fillSample(table);
    TableHistory history(table);
    {
        TableChangeScope change(history, QStringLiteral("same text"));
        table.setCell(1, 1, QStringLiteral("3.5"));
        table.setCell(1, 2, QStringLiteral("9"));
        table.setCell(1, 2, QStringLiteral("1.25")); // back as it was
    }
    EXPECT_EQ(history.stack().count(), 0);
    {
        TableChangeScope outer(history, QStringLiteral("outer"));
        table.setCell(1, 1, QStringLiteral("8"));
        TableChangeScope inner(history, QStringLiteral("inner"));
        table.setCell(1, 2, QStringLiteral("9"));
    }
    ASSERT_EQ(history.stack().count(), 1);
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("outer"));
    history.stack().undo();
    EXPECT_EQ(table.cell(1, 1), QStringLiteral("3.5"));
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("1.25"));
}

// The property: any sequence of changes undone to the start gives the first Table, and redone
// to the end the last one.
TEST(TableHistory, RandomSequencesUndoToTheFirstTable) {
    const std::vector<std::function<void(Table&, std::mt19937&)>> operations{
        [](Table& t, std::mt19937& g) {
            t.setCurveText(QString::number(1 + g() % 3));
            t.appendPoint(g() % 1000 / 8.0, g() % 1000 / 16.0);
        },
        [](Table& t, std::mt19937& g) {
            t.setCell(1 + static_cast<int>(g() % 8), static_cast<int>(g() % 40),
                      g() % 4 ? QString::number(g() % 100) : QString());
        },
        [](Table& t, std::mt19937& g) {
            sortPairOnX(t, 1 + static_cast<int>(g() % 3), QLatin1Char('.'), kGoOn);
        },
        [](Table& t, std::mt19937& g) {
            const int from = 1 + static_cast<int>(g() % 20);
            deleteRows(t, 1, from, from + static_cast<int>(g() % 5));
        },
        [](Table& t, std::mt19937& g) {
            applyNumberFormat(t, 1 + static_cast<int>(g() % 3), FormatColumns::Both,
                              fixedStyle(static_cast<int>(g() % 4)), QLatin1Char('.'), kGoOn);
        },
        [](Table& t, std::mt19937&) { t.clearCurrentPair(); },
        [](Table& t, std::mt19937& g) {
            QByteArray file;
            for (int i = 0, n = 1 + static_cast<int>(g() % 30); i < n; ++i)
                file += QByteArray::number(i) + '\t' + QByteArray::number(g() % 50) + "\r\n";
            importDataFile(t, file);
        },
        [](Table& t, std::mt19937& g) {
            calculateColumn(t, 2 * (1 + static_cast<int>(g() % 3)), 3, Arithmetic::Add, false,
                            QLatin1Char('.'), kGoOn);
        },
        [](Table& t, std::mt19937&) { t.nextCurve(); },
        [](Table& t, std::mt19937& g) { t.setRowCount(10 + static_cast<int>(g() % 60)); },
    };
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Table table;
        fillSample(table);
        TableHistory history(table);
        const TableImage first = imageOf(table);
        for (int step = 0; step < 50; ++step) {
            TableChangeScope change(history, QStringLiteral("step %1").arg(step));
            try {
                operations[random() % operations.size()](table, random);
            } catch (const ConversionError&) {
                // Stops at a text as the window's operations do; what was written stays.
            }
        }
        const TableImage last = imageOf(table);
        ASSERT_GT(history.stack().count(), 10);
        history.stack().setIndex(0);
        EXPECT_EQ(imageOf(table), first);
        history.stack().setIndex(history.stack().count());
        EXPECT_EQ(imageOf(table), last);
    }
}

// Undoing a format of 100000 rows does not need a copy of the Table: the command holds the old
// texts of the cells it changed and little more.
TEST(TableHistory, AFormatOfTheWholeTableHoldsOnlyTheChangedCells) {
    Table table;
    QByteArray file;
    for (int i = 1; i <= Table::kMaxRows; ++i)
        file += QByteArray::number(i * 0.001234567, 'g', 10) + '\t' +
                QByteArray::number(i * 3.7654321, 'g', 10) + "\r\n";
    importDataFile(table, file);
    std::size_t oldText = 0;
    for (int row = 1; row <= Table::kMaxRows; ++row)
        oldText += table.store().cellBytes(1, row).size() + table.store().cellBytes(2, row).size();
    TableHistory history(table);
    const TableImage before = imageOf(table);
    {
        TableChangeScope change(history, QStringLiteral("format"));
        applyNumberFormat(table, 1, FormatColumns::Both, fixedStyle(2), QLatin1Char('.'), kGoOn);
    }
    EXPECT_LE(history.memoryBytes(), 2 * oldText);
    history.stack().undo();
    EXPECT_EQ(imageOf(table), before);
}

TEST(TableHistory, KeepsTheNewestHundredCommands) {
    Table table;
    TableHistory history(table);
    for (int i = 0; i < 150; ++i) {
        TableChangeScope change(history, QStringLiteral("point"), ChangeKind::Point);
        table.appendPoint(i, i);
    }
    EXPECT_EQ(history.stack().count(), TableHistory::kUndoLimit);
    history.stack().setIndex(0);
    EXPECT_EQ(table.cell(1, 50), QStringLiteral("49")); // the oldest kept command is row 51
    EXPECT_TRUE(table.isEmpty(1, 51));
    EXPECT_EQ(table.nextRow(1), 51);
}

// The points of one search stroke arrive one by one and are one command; manual points stay
// one command each.
TEST(TableHistory, DigitizationCommandsOfOneGroupBecomeOne) {
    Table table;
    TableHistory history(table);
    const std::uint64_t stroke = history.newGroup();
    for (int i = 0; i < 5; ++i) {
        TableChangeScope change(history, QStringLiteral("stroke: %1 points").arg(i + 1),
                                ChangeKind::Digitization, stroke);
        table.appendPoint(i, 10 * i);
        table.setCell(1, 2, QStringLiteral("over")); // the same cell again and again
    }
    const std::uint64_t manual = history.newGroup();
    for (int i = 0; i < 2; ++i) {
        TableChangeScope change(history, QStringLiteral("point"), ChangeKind::Point, manual);
        table.appendPoint(100 + i, 0);
    }
    ASSERT_EQ(history.stack().count(), 3);
    EXPECT_EQ(history.stack().text(0), QStringLiteral("stroke: 5 points"));
    history.stack().setIndex(1);
    EXPECT_EQ(table.cell(1, 6), QString());
    EXPECT_EQ(table.cell(1, 2), QStringLiteral("over"));
    history.stack().setIndex(0);
    EXPECT_FALSE(table.holdsData());
    EXPECT_EQ(table.nextRow(1), 1);
}

// A digitization can be undone with what came after it only while that touched its own rows.
TEST(TableHistory, ADigitizationIsUndoneWithLaterEditsOfItsRowsOnly) {
    const struct {
        const char* name;
        int column, row;
        bool undoable;
    } edits[] = {
        {"its own row", 2, 4, true},
        {"its pair, a row before it", 1, 1, false},
        {"its pair, a row after it", 1, 9, false},
        {"another pair", 3, 4, false},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.name);
        Table table;
        table.setCell(1, 1, QStringLiteral("5"));
        table.setNextRow(1, 2);
        TableHistory history(table);
        const std::uint64_t run = history.newGroup();
        {
            TableChangeScope change(history, QStringLiteral("run"), ChangeKind::Digitization, run);
            for (int i = 0; i < 5; ++i)
                table.appendPoint(i, i);
        }
        EXPECT_EQ(history.undoIndexOfDigitization(run, 1), 0);
        EXPECT_EQ(history.undoIndexOfDigitization(run, 3), -1) << "another pair's digitization";
        {
            TableChangeScope change(history, QStringLiteral("edit"));
            table.setCell(edit.column, edit.row, QStringLiteral("99"));
        }
        EXPECT_EQ(history.undoIndexOfDigitization(run, 1), edit.undoable ? 0 : -1);
        history.stack().undo();
        history.stack().undo();
        EXPECT_EQ(history.undoIndexOfDigitization(run, 1), -1) << "undone already";
    }
}
