#include "core/atomic_file.h"

#include <QDir>
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

QString SaveTarget::temporaryFolder() const {
    return kind == Kind::Stream ? QDir::tempPath() : QFileInfo(path).absolutePath();
}

SaveTarget resolveSaveTarget(const QString& path) {
    SaveTarget target;
    // Follow the chain of links by hand: the last one may point at a file not made yet.
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink()) break;
        QString next = info.symLinkTarget();
        if (next.isEmpty()) break;
        current = QFileInfo(next).absoluteFilePath();
    }
    target.path = current;
    struct stat st;
    if (::stat(QFile::encodeName(current).constData(), &st) != 0) {
        if (errno != ENOENT) {
            target.kind = SaveTarget::Kind::Refused;
            target.error = QString::fromLocal8Bit(std::strerror(errno));
        }
        return target; // Missing: a new file
    }
    target.mode = st.st_mode & 07777;
    if (S_ISREG(st.st_mode)) {
        target.kind = SaveTarget::Kind::Regular;
    } else if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
        target.kind = SaveTarget::Kind::Stream;
    } else {
        target.kind = SaveTarget::Kind::Refused;
        target.error = QString::fromLocal8Bit(std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL));
    }
    return target;
}

namespace {
bool writeAll(int fd, const char* data, std::size_t left) {
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

bool replaceWithTemporary(const QString& temporary, const SaveTarget& target, QString* error) {
    const QByteArray from = QFile::encodeName(temporary);
    const auto failed = [&](const QString& reason) {
        if (error) *error = reason;
        ::unlink(from.constData());
        return false;
    };
    switch (target.kind) {
    case SaveTarget::Kind::Refused:
        return failed(target.error);
    case SaveTarget::Kind::Stream: {
        const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
        if (in < 0) return failed(systemError());
        const int out = ::open(QFile::encodeName(target.path).constData(), O_WRONLY | O_CLOEXEC);
        if (out < 0) {
            const QString reason = systemError();
            ::close(in);
            return failed(reason);
        }
        char block[1 << 16];
        bool ok = true;
        for (;;) {
            const ssize_t got = ::read(in, block, sizeof block);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                ok = got == 0;
                break;
            }
            if (!writeAll(out, block, static_cast<std::size_t>(got))) {
                ok = false;
                break;
            }
        }
        const QString reason = ok ? QString() : systemError();
        ::close(in);
        if (::close(out) != 0 && ok) return failed(systemError());
        if (!ok) return failed(reason);
        ::unlink(from.constData());
        return true;
    }
    case SaveTarget::Kind::Missing:
    case SaveTarget::Kind::Regular:
        break;
    }
    // An existing file keeps its permission bits; a new one gets those of any new file (the
    // temporary file may have been made private by whoever wrote it).
    if (target.kind == SaveTarget::Kind::Regular) {
        ::chmod(from.constData(), target.mode);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(from.constData(), 0666 & ~mask);
    }
    if (::rename(from.constData(), QFile::encodeName(target.path).constData()) != 0)
        return failed(systemError());
    return true;
}

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
    target_ = resolveSaveTarget(path_);
    if (target_.kind == SaveTarget::Kind::Refused) {
        error_ = target_.error;
        return false;
    }
    if (target_.kind == SaveTarget::Kind::Stream) {
        // A device or a pipe is no file to replace: the data goes straight into it.
        fd_ = ::open(QFile::encodeName(target_.path).constData(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = systemError();
            return false;
        }
        buffer_.reserve(static_cast<qsizetype>(kBufferSize));
        return true;
    }
    const QFileInfo target(target_.path);
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                     QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                   QLatin1Char('0'));
        fd_ = ::open(QFile::encodeName(temporary_).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error_ = systemError();
        temporary_.clear();
        return false;
    }
    step();
    if (target_.kind == SaveTarget::Kind::Regular) ::fchmod(fd_, target_.mode);
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
    const bool stream = target_.kind == SaveTarget::Kind::Stream;
    if (syncToDisk && !stream && ::fsync(fd_) != 0) return fail();
    step();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error_ = systemError();
        if (!temporary_.isEmpty()) ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
        return false;
    }
    if (stream) return true;
    step();
    if (::rename(QFile::encodeName(temporary_).constData(),
                 QFile::encodeName(target_.path).constData()) != 0) {
        error_ = systemError();
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

bool writeFileAtomically(const QString& path, const QByteArray& bytes, bool syncToDisk,
                         QString* error) {
    AtomicFile file(path);
    if (file.open() && file.write(bytes) && file.commit(syncToDisk)) return true;
    if (error) *error = file.errorString();
    return false;
}

} // namespace quorvex
