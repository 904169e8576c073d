#include "core/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quorvex;

namespace {
QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
} // namespace

// A name that is a link: the file it points at is replaced with its permissions, the link stays.
TEST(AtomicFile, ALinkIsFollowedAndStays) {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.txt"), link = dir.filePath("link.txt");
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(read(real), "new");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // A link whose file does not exist yet makes that file.
    const QString dangling = dir.filePath("dangling.txt");
    ASSERT_TRUE(QFile::link(dir.filePath("later.txt"), dangling));
    ASSERT_TRUE(writeFileAtomically(dangling, "made"));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(read(dir.filePath("later.txt")), "made");
    // Only the link's file and the link are there: no temporary file is left.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);
}

// A device or a FIFO is written to, never replaced; a folder is refused with its reason.
TEST(AtomicFile, NamesThatAreNoRegularFiles) {
    QString error;
    EXPECT_FALSE(writeFileAtomically("/dev/full", "points\n", false, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    struct stat st;
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device node is still a device";
    EXPECT_TRUE(writeFileAtomically("/dev/null", "points\n", false, &error));

    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        QFile f(fifo);
        if (f.open(QIODevice::ReadOnly)) received = f.readAll();
    });
    EXPECT_TRUE(writeFileAtomically(fifo, "through the pipe", false, &error))
        << error.toStdString();
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    EXPECT_FALSE(writeFileAtomically(dir.path(), "x", false, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EISDIR)));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

// The same rules for writers that make their file by themselves and hand it over.
TEST(AtomicFile, ATemporaryFileReplacesTheTarget) {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.bin"), link = dir.filePath("link.bin");
    ASSERT_TRUE(writeFileAtomically(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    const SaveTarget target = resolveSaveTarget(link);
    EXPECT_EQ(target.kind, SaveTarget::Kind::Regular);
    EXPECT_EQ(target.path, QFileInfo(real).absoluteFilePath());
    const QString temporary = target.temporaryFolder() + "/part";
    ASSERT_TRUE(writeFileAtomically(temporary, "new"));
    QString error;
    EXPECT_TRUE(replaceWithTemporary(temporary, target, &error));
    EXPECT_EQ(read(real), "new");
    EXPECT_FALSE(QFile::exists(temporary));

    const SaveTarget device = resolveSaveTarget("/dev/full");
    EXPECT_EQ(device.kind, SaveTarget::Kind::Stream);
    EXPECT_EQ(device.temporaryFolder(), QDir::tempPath());
    const QString streamed = device.temporaryFolder() + "/quorvex-atomic-test.part";
    ASSERT_TRUE(writeFileAtomically(streamed, "new"));
    EXPECT_FALSE(replaceWithTemporary(streamed, device, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_FALSE(QFile::exists(streamed)) << "the temporary file goes in every case";
}

// A private temporary file (as libraries make them) becomes a file like any other new one.
TEST(AtomicFile, ANewFileGetsTheUsualPermissions) {
    QTemporaryDir dir;
    const QString temporary = dir.filePath("private.part"), target = dir.filePath("new.qvx");
    ASSERT_TRUE(writeFileAtomically(temporary, "bytes"));
    ASSERT_EQ(::chmod(QFile::encodeName(temporary).constData(), 0600), 0);
    const mode_t mask = ::umask(022);
    QString error;
    EXPECT_TRUE(replaceWithTemporary(temporary, resolveSaveTarget(target), &error));
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}
