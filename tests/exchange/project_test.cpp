// Project archives: what is saved comes back exactly, and an archive that is damaged, foreign
// or of a later version is refused with its reason.
#include "core/messages.h"
#include "exchange/project.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <zip.h>

using namespace quorvex;

namespace {

// A project with a log10 Y axis, two curves, a title, texts with tabs, line breaks and
// backslashes, and curve 2 current.
Project sampleProject(Table& table) {
    Project project;
    project.pictureName = QStringLiteral("chart.png");
    project.pictureBytes = QByteArray("\x89PNG\r\n\x1a\nnot really a picture", 28);
    Calibration& c = project.profile.calibration;
    c.pixelLeftBottom = QPoint(40, 560);
    c.pixelRightTop = QPoint(760, 30);
    c.xLeftBottom = QStringLiteral("0");
    c.xRightTop = QStringLiteral("2.5");
    c.yLeftBottom = QStringLiteral("1");
    c.yRightTop = QStringLiteral("1000");
    c.yTransfer = 1;
    project.profile.scan.step = 3;
    project.profile.imageSize = QSize(800, 600);
    project.curveColour = makeColour(200, 10, 30);
    project.markerColour = makeColour(0, 128, 0);
    table.setPairCount(2);
    table.setRowCount(45);
    for (int row = 1; row <= 40; ++row) {
        table.setCell(1, row, QString::number(row * 0.0625));
        table.setCell(2, row, QString::number(row * row));
        if (row % 3 == 0) table.setCell(3, row, QString::number(-row));
    }
    table.setCell(4, 7, QStringLiteral("a\tb\\c\nd\re"));
    table.setCell(2, 0, QStringLiteral("Intensity, a.u."));
    table.setCell(40, 12, QStringLiteral("far column"));
    table.setCurveText(QStringLiteral("2"));
    table.setNextRow(1, 41);
    table.setNextRow(2, 13);
    return project;
}

QStringList cellsOf(const Table& t) {
    QStringList cells;
    for (int row = 0; row < t.store().storedRows(); ++row)
        for (int column = 1; column < TableStore::kMaxColumns; ++column)
            if (!t.isEmpty(column, row))
                cells << QStringLiteral("%1,%2=%3").arg(column).arg(row).arg(t.cell(column, row));
    return cells;
}

// The archive with one member replaced (or removed, for an empty replacement of nothing).
QByteArray withMember(const QByteArray& archive, const char* name,
                      const std::optional<QByteArray>& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.qvx");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(archive);
    f.close();
    int error = 0;
    zip_t* zip = zip_open(path.toUtf8().constData(), 0, &error);
    EXPECT_NE(zip, nullptr);
    const zip_int64_t index = zip_name_locate(zip, name, 0);
    if (!bytes) {
        zip_delete(zip, static_cast<zip_uint64_t>(index));
    } else {
        zip_source_t* source =
            zip_source_buffer(zip, bytes->constData(), static_cast<zip_uint64_t>(bytes->size()), 0);
        zip_file_add(zip, name, source, ZIP_FL_OVERWRITE);
    }
    EXPECT_EQ(zip_close(zip), 0);
    QFile in(path);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    return in.readAll();
}

QByteArray json(const QJsonObject& object) {
    return QJsonDocument(object).toJson();
}

} // namespace

TEST(Project, WhatIsSavedComesBackExactly) {
    Table table;
    const Project project = sampleProject(table);
    const Project back = parseProject(projectArchive(project, table));
    EXPECT_EQ(back.pictureName, project.pictureName);
    EXPECT_EQ(back.pictureBytes, project.pictureBytes);
    EXPECT_EQ(profileJson(back.profile), profileJson(project.profile));
    EXPECT_EQ(back.curveColour, project.curveColour);
    EXPECT_EQ(back.markerColour, project.markerColour);
    EXPECT_EQ(back.program, QStringLiteral("Quorvex 2.16"));
    EXPECT_EQ(cellsOf(*back.table), cellsOf(table));
    EXPECT_EQ(back.table->cell(4, 7), QStringLiteral("a\tb\\c\nd\re"));
    for (int curve = 1; curve <= Table::kMaxPairs; ++curve)
        EXPECT_EQ(back.table->nextRow(curve), table.nextRow(curve)) << curve;
    EXPECT_EQ(back.table->pairCount(), 2);
    EXPECT_EQ(back.table->rowCountSetting(), 45);
    EXPECT_TRUE(back.table->shape() == table.shape());
    EXPECT_EQ(back.table->curveText(), QStringLiteral("2"));
}

TEST(Project, AFileIsWrittenWholeAndReadBack) {
    QTemporaryDir dir;
    Table table;
    const Project project = sampleProject(table);
    const QString path = dir.filePath("work.qvx");
    QString error;
    ASSERT_TRUE(writeProjectFile(path, project, table, &error)) << error.toStdString();
    EXPECT_EQ(cellsOf(*readProjectFile(path).table), cellsOf(table));
    EXPECT_FALSE(writeProjectFile(dir.path(), project, table, &error));
    EXPECT_FALSE(error.isEmpty());
}

// Each broken archive is refused with a reason that says what is wrong.
TEST(Project, BrokenForeignAndLaterArchivesAreRefusedWithTheirReason) {
    Table table;
    const QByteArray good = projectArchive(sampleProject(table), table);
    QJsonObject later{{"format", "quorvex-project"}, {"version", 2}, {"picture", "chart.png"}};
    QJsonObject foreign{{"format", "something-else"}, {"version", 1}};
    const struct {
        const char* name;
        QByteArray archive;
        const char* reason;
    } cases[] = {
        {"empty file", QByteArray(), "empty"},
        {"text file", QByteArray("X\tY\r\n1\t2\r\n"), "no ZIP archive"},
        {"truncated", good.left(good.size() / 2), "no ZIP archive"},
        {"damaged member",
         [&] {
             QByteArray damaged = good;
             // A byte inside the first member's compressed data.
             damaged[60] = static_cast<char>(damaged[60] ^ 0x55);
             return damaged;
         }(),
         "damaged"},
        {"later version", withMember(good, "manifest.json", json(later)), "later version"},
        {"foreign archive", withMember(good, "manifest.json", json(foreign)), "no Quorvex project"},
        {"no manifest", withMember(good, "manifest.json", std::nullopt),
         "manifest.json is missing"},
        {"no table", withMember(good, "table.txt", std::nullopt), "table.txt is missing"},
        {"no picture", withMember(good, "picture/chart.png", std::nullopt), "is missing"},
        {"broken profile", withMember(good, "profile.json", QByteArray("{")), "profile.json"},
        {"broken session", withMember(good, "session.json", json({{"pairs", 0}})), "pairs"},
        {"too many columns", withMember(good, "table.txt", QByteArray(50, '\t') + "x\n"),
         "more columns"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            parseProject(c.archive);
            ADD_FAILURE() << "accepted";
        } catch (const ProjectError& error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(c.reason)))
                << error.message().toStdString();
        }
    }
}

TEST(Project, AFileThatIsNoProjectIsNamedInTheMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.qvx");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("just text");
    f.close();
    for (const QString& file : {path, dir.path(), dir.filePath("missing.qvx")}) {
        try {
            readProjectFile(file);
            ADD_FAILURE() << "accepted " << file.toStdString();
        } catch (const ProjectError& error) {
            EXPECT_TRUE(error.message().startsWith(
                message(Msg::ProjectUnusable).arg(QFileInfo(file).fileName(), QString()).trimmed()))
                << error.message().toStdString();
        }
    }
}
