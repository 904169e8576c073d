#include "core/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

void (*atomicFileStepHook)() = nullptr;

namespace {
constexpr std::size_t kBufferSize = 1 << 20;

void step() {
    if (atomicFileStepHook) atomicFileStepHook();
}
} // namespace

AtomicFile::AtomicFile(QString path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    cancel();
}

bool AtomicFile::fail() {
    if (error_.isEmpty()) error_ = QString::fromLocal8Bit(std::strerror(errno));
    cancel();
    return false;
}

bool AtomicFile::open() {
    const QFileInfo target(path_);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                     QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                   QLatin1Char('0'));
        fd_ = ::open(QFile::encodeName(temporary_).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        temporary_.clear();
        return false;
    }
    step();
    struct stat existing;
    if (::stat(QFile::encodeName(path_).constData(), &existing) == 0)
        ::fchmod(fd_, existing.st_mode & 07777);
    buffer_.reserve(static_cast<qsizetype>(kBufferSize));
    return true;
}

bool AtomicFile::flush() {
    const char* data = buffer_.constData();
    std::size_t left = static_cast<std::size_t>(buffer_.size());
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
        step();
    }
    buffer_.resize(0);
    return true;
}

bool AtomicFile::write(const char* data, std::size_t size) {
    if (fd_ < 0) return false;
    if (size >= kBufferSize) {
        if (!flush()) return fail();
        buffer_ = QByteArray::fromRawData(data, static_cast<qsizetype>(size));
        const bool ok = flush();
        buffer_ = QByteArray();
        buffer_.reserve(static_cast<qsizetype>(kBufferSize));
        return ok || fail();
    }
    if (static_cast<std::size_t>(buffer_.size()) + size > kBufferSize && !flush()) return fail();
    buffer_.append(data, static_cast<qsizetype>(size));
    return true;
}

bool AtomicFile::commit(bool syncToDisk) {
    if (fd_ < 0) return false;
    if (!flush()) return fail();
    if (syncToDisk && ::fsync(fd_) != 0) return fail();
    step();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fd_ = -1;
        ::unlink(QFile::encodeName(temporary_).constData());
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    step();
    if (::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(path_).constData()) !=
        0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    step();
    return true;
}

void AtomicFile::cancel() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
    }
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, bool syncToDisk) {
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit(syncToDisk);
}

} // namespace quorvex
