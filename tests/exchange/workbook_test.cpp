// The Table written as a workbook, read back from the zip of XML it is.
#include "exchange/workbook.h"
#include "table/table.h"
#include "zip_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace quorvex;

namespace {

struct SheetCell {
    QString type; // "" for a number, "inlineStr" or "s" for text
    QString value;
    int style = 0;
};

// The cells of the first worksheet by reference ("A1").
std::map<QString, SheetCell> sheetCells(const QMap<QString, QByteArray>& zip) {
    std::map<QString, SheetCell> cells;
    QXmlStreamReader xml(zip.value("xl/worksheets/sheet1.xml"));
    QString ref;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value("r").toString();
            cells[ref].type = xml.attributes().value("t").toString();
            cells[ref].style = xml.attributes().value("s").toInt();
        } else if (xml.name() == QLatin1String("v") || xml.name() == QLatin1String("t")) {
            cells[ref].value = xml.readElementText();
        }
    }
    return cells;
}

// The font name and size and whether it shrinks to fit, of a cell style index.
struct Look {
    QString font;
    QString size;
    bool shrink = false;
    bool wrap = false;
};
Look styleLook(const QMap<QString, QByteArray>& zip, int style) {
    QXmlStreamReader xml(zip.value("xl/styles.xml"));
    std::vector<std::pair<QString, QString>> fonts;
    std::vector<Look> xfs;
    bool inFonts = false, inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const auto name = xml.name();
        if (xml.isStartElement()) {
            if (name == QLatin1String("fonts")) inFonts = true;
            if (name == QLatin1String("cellXfs")) inCellXfs = true;
            if (inFonts && name == QLatin1String("font")) fonts.emplace_back();
            if (inFonts && name == QLatin1String("name"))
                fonts.back().first = xml.attributes().value("val").toString();
            if (inFonts && name == QLatin1String("sz"))
                fonts.back().second = xml.attributes().value("val").toString();
            if (inCellXfs && name == QLatin1String("xf")) {
                const int font = xml.attributes().value("fontId").toInt();
                xfs.push_back(
                    {fonts.at(std::size_t(font)).first, fonts.at(std::size_t(font)).second});
            }
            if (inCellXfs && name == QLatin1String("alignment")) {
                xfs.back().shrink = xml.attributes().value("shrinkToFit") == QLatin1String("1");
                xfs.back().wrap = xml.attributes().value("wrapText") == QLatin1String("1");
            }
        } else if (xml.isEndElement()) {
            if (name == QLatin1String("fonts")) inFonts = false;
            if (name == QLatin1String("cellXfs")) inCellXfs = false;
        }
    }
    return xfs.at(std::size_t(style));
}

} // namespace

// Numbers in the locale's notation become numbers, anything else stays text; empty cells are
// not written; every cell and column has the first cell's look.
TEST(Workbook, CellsValuesTypesAndLook) {
    Table t;
    t.setPairCount(2);
    t.setCell(1, 1, "1,5");
    t.setCell(2, 1, "-2E-3");
    t.setCell(1, 2, "abc");
    t.setCell(2, 2, "1.5"); // a point is no decimal separator here
    t.setCell(4, 30, " 7 ");
    t.setCell(3, 3, QString::fromUtf8("Привет"));
    t.setCell(1, 4, "1E999"); // too large for a number: text
    t.setCell(2, 5, QString(kMaxSpreadsheetText + 10, 'x'));
    QTemporaryDir dir;
    const QString path = dir.filePath("table.xlsx");
    QString error;
    ASSERT_EQ(writeWorkbook(t, path, QChar(','), nullptr, &error), WorkbookOutcome::Written)
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(path + ".part"));
    const QMap<QString, QByteArray> zip = test::readZip(path);
    ASSERT_TRUE(zip.contains("xl/worksheets/sheet1.xml"));
    const auto cells = sheetCells(zip);
    const struct {
        const char* ref;
        bool number;
        QString value;
    } expected[] = {
        {"A1", true, "1.5"},    {"B1", true, "-2E-3"},
        {"A2", false, "abc"},   {"B2", false, "1.5"},
        {"D30", true, "7"},     {"C3", false, QString::fromUtf8("Привет")},
        {"A4", false, "1E999"}, {"B5", false, QString(kMaxSpreadsheetText, 'x')},
    };
    for (const auto& e : expected) {
        ASSERT_TRUE(cells.count(e.ref)) << e.ref;
        const SheetCell& c = cells.at(e.ref);
        EXPECT_EQ(c.type.isEmpty(), e.number) << e.ref;
        if (e.number)
            EXPECT_DOUBLE_EQ(c.value.toDouble(), e.value.toDouble()) << e.ref;
        else
            EXPECT_EQ(c.value, e.value) << e.ref;
    }
    EXPECT_EQ(cells.size(), std::size(expected)); // nothing for the empty cells
    const Look look = styleLook(zip, cells.at("A1").style);
    EXPECT_EQ(look.font, "Times New Roman");
    EXPECT_EQ(look.size, "12");
    EXPECT_TRUE(look.shrink);
    EXPECT_FALSE(look.wrap);
    EXPECT_EQ(cells.at("D30").style, cells.at("A1").style);
    EXPECT_TRUE(zip.value("xl/worksheets/sheet1.xml").contains("<col min=\"1\" max=\"4\""));
}

// A stop or a failure leaves no partial workbook and an old file as it was.
TEST(Workbook, StopAndFailureLeaveOldFilesAlone) {
    Table t;
    t.setCell(1, 1, "1");
    t.setCell(1, 20, "2");
    QTemporaryDir dir;
    const QString path = dir.filePath("old.xlsx");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    EXPECT_EQ(writeWorkbook(
                  t, path, QChar('.'), [](int row) { return row < 10; }, nullptr),
              WorkbookOutcome::Stopped);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
    EXPECT_FALSE(QFile::exists(path + ".part"));
    QString error;
    const QString nowhere = dir.filePath("missing/folder/t.xlsx");
    EXPECT_EQ(writeWorkbook(t, nowhere, QChar('.'), nullptr, &error), WorkbookOutcome::Failed);
    EXPECT_TRUE(error.startsWith("Cannot write the workbook \"" + nowhere + "\": "))
        << error.toStdString();
}

// A write that fails inside the archive writer names its cause, not the library's error code:
// here the file-size limit of the process stands for a full disk.
TEST(Workbook, AFailedWriteNamesItsCause) {
    Table t;
    t.setRowCount(Table::kMaxRows);
    for (int row = 1; row <= Table::kMaxRows; ++row)
        t.store().setPairBytes(1, row, QByteArray::number(row * 7919 % 100003).toStdString(),
                               QByteArray::number(row * 0.37).toStdString());
    QTemporaryDir dir;
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const WorkbookOutcome outcome =
        writeWorkbook(t, dir.filePath("big.xlsx"), QChar('.'), nullptr, &error);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(outcome, WorkbookOutcome::Failed);
    EXPECT_TRUE(error.endsWith(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << error.toStdString();
    EXPECT_FALSE(error.contains("ZIP")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("big.xlsx")));
}

// Temporary workbooks are named for the process that wrote them; a start removes those whose
// writer has ended (and the unnamed ones of older versions), never a running one's.
TEST(Workbook, TemporaryWorkbooksOfEndedRuns) {
    QTemporaryDir dir;
    const QString mine = QString(temporaryWorkbookTemplate(dir.path())).replace("XXXXXX", "aaaaaa");
    EXPECT_TRUE(QFileInfo(mine).fileName().startsWith(
        QStringLiteral("quorvex-table-%1-").arg(QCoreApplication::applicationPid())));
    // A process number no process has (above the kernel's largest).
    const QString ended = dir.filePath("quorvex-table-4194305-bbbbbb.xlsx");
    const QString older = dir.filePath("quorvex-table-cccccc.xlsx");
    const QString other = dir.filePath("notes.xlsx");
    for (const QString& path : {mine, ended, older, other}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(removeEarlierTemporaryWorkbooks(dir.path()), 2);
    EXPECT_TRUE(QFile::exists(mine));
    EXPECT_FALSE(QFile::exists(ended));
    EXPECT_FALSE(QFile::exists(older));
    EXPECT_TRUE(QFile::exists(other));
}
