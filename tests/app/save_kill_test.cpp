// Saves that survive a kill: a child process is killed at every step of a save that touches the
// disk (the temporary file opened, each write, sync, close, rename), and the target is then
// either the old file untouched or the new one complete, never a mix.
#include "app/ini_file.h"
#include "app/settings_files.h"
#include "core/atomic_file.h"
#include "core/numbers.h"
#include "exchange/project.h"
#include "exchange/text_data.h"
#include "image/bmp.h"
#include "table/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvex;

namespace {

int stepsLeft = 0;
void killAtStep() {
    if (--stepsLeft == 0) ::raise(SIGKILL);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Kills `save` at its first, second, ... step until it runs to the end; returns how many kills
// there were.
int killAtEveryStep(const char* what, const QString& target, const QByteArray& oldBytes,
                    const std::function<void(const QString&)>& save) {
    // The new file as an uninterrupted save over the same old file writes it.
    const QString reference = target + QStringLiteral(".reference");
    write(reference, oldBytes);
    save(reference);
    const QByteArray newBytes = read(reference);
    EXPECT_NE(newBytes, oldBytes) << what;
    // A target that is a link stays a link at every step: its file is what gets replaced.
    const bool link = QFileInfo(target).isSymLink();
    for (int kill = 1; kill < 1000; ++kill) {
        write(target, oldBytes);
        const pid_t child = ::fork();
        if (child == 0) {
            stepsLeft = kill;
            atomicFileStepHook = killAtStep;
            save(target);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const QByteArray now = read(target);
        EXPECT_EQ(QFileInfo(target).isSymLink(), link) << what << ": killed at step " << kill;
        EXPECT_TRUE(now == oldBytes || now == newBytes)
            << what << ": killed at step " << kill << " left " << now.size() << " bytes";
        if (WIFEXITED(status)) {
            EXPECT_EQ(now, newBytes) << what << ": the save ran to its end";
            return kill - 1;
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << what;
    }
    ADD_FAILURE() << what << ": the save never ended";
    return 0;
}

} // namespace

TEST(SavesSurviveAKill, TheTable) {
    Table table;
    table.setPairCount(2);
    table.setRowCount(Table::kMaxRows);
    for (int row = 1; row <= Table::kMaxRows; ++row)
        for (int column = 1; column <= 4; ++column)
            table.store().setCell(column, row, NumberText(row * 1.25 + column / 3.0, QChar('.')));
    DataFileOptions options;
    options.allColumns = true;
    QTemporaryDir dir;
    const int kills = killAtEveryStep(
        "Table", dir.filePath("table.dat"), "1\t2\r\nold\r\n",
        [&](const QString& path) { saveDataFile(table, 1, options, path, nullptr, nullptr); });
    EXPECT_GE(kills, 6); // open, several writes of a 5 MB file, close, rename
}

TEST(SavesSurviveAKill, AProject) {
    Table table;
    table.setRowCount(50000);
    for (int row = 1; row <= 50000; ++row)
        table.store().setPairBytes(1, row, QByteArray::number(row * 0.75).toStdString(),
                                   QByteArray::number(row % 97).toStdString());
    Project project;
    project.pictureName = QStringLiteral("chart.bmp");
    project.pictureBytes = encodeBmp(Raster(300, 200, PixelFormat::Bit24, kWhite));
    QTemporaryDir dir;
    const QString path = dir.filePath("work.qvx");
    Table oldTable;
    oldTable.setCell(1, 1, QStringLiteral("old"));
    ASSERT_TRUE(writeProjectFile(path, project, oldTable));
    const int kills = killAtEveryStep("project", path, read(path), [&](const QString& target) {
        writeProjectFile(target, project, table);
    });
    EXPECT_GE(kills, 3); // the temporary file made, the archive in it complete, renamed
    EXPECT_EQ(readProjectFile(path).table->cell(1, 50000), QStringLiteral("37500"));
}

TEST(SavesSurviveAKill, AnImage) {
    Raster raster(1200, 1000, PixelFormat::Bit24);
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            raster.setPixelRaw(x, y, makeColour(x & 255, y & 255, (x * y) & 255));
    QTemporaryDir dir;
    const QByteArray old = encodeBmp(Raster(3, 2, PixelFormat::Bit24, kRed));
    const int kills = killAtEveryStep("image", dir.filePath("picture.bmp"), old,
                                      [&](const QString& path) { writeBmpFile(raster, path); });
    EXPECT_GE(kills, 5);
}

TEST(SavesSurviveAKill, TheSettings) {
    QTemporaryDir dir;
    const QString iniPath = dir.filePath("QUORVEX.INI");
    IniFile before(iniPath);
    before.writeString(ini::kImage, ini::kDirectory, QStringLiteral("/old"));
    ASSERT_TRUE(before.save());
    const QByteArray oldIni = read(iniPath);
    int kills = killAtEveryStep("settings", iniPath, oldIni, [](const QString& path) {
        IniFile ini(path);
        SettingsSnapshot s;
        s.pointSize = 7;
        writeSettings(ini, s, QChar('.'));
        ini.writeString(ini::kImage, ini::kDirectory, QStringLiteral("/new"));
        ini.save();
    });
    EXPECT_GE(kills, 4); // open, write, sync, close, rename
    const QString cfgPath = dir.filePath("digitize.cfg");
    ASSERT_TRUE(writeDigitizeCfg(cfgPath, kDefaultCfgLines));
    kills = killAtEveryStep("digitize.cfg", cfgPath, read(cfgPath), [](const QString& path) {
        writeDigitizeCfg(path, {2, 2, 2, 2, 2, 2, 2, 2, 2});
    });
    EXPECT_GE(kills, 4);
}

TEST(SavesSurviveAKill, ATableSavedThroughALink) {
    Table table;
    table.setRowCount(20000);
    for (int row = 1; row <= 20000; ++row)
        table.store().setPairBytes(1, row, "1.5", "2.25");
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("data");
    const QString real = dir.filePath("data/real.dat"), link = dir.filePath("link.dat");
    write(real, "old\r\n");
    ASSERT_TRUE(QFile::link(real, link));
    const int kills =
        killAtEveryStep("Table through a link", link, "old\r\n", [&](const QString& path) {
            saveDataFile(table, 1, {}, path, nullptr, nullptr);
        });
    EXPECT_GE(kills, 3);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(read(real).startsWith("1.5\t2.25\r\n"));
}
