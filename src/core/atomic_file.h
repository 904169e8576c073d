#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace quorvex {

// Writes a file under a temporary name in the target's folder and renames it over the target
// only when everything was written, so a failure, a crash or a kill never leaves a half-written
// file where the user's old file was. An existing target keeps its permission bits.
class AtomicFile {
public:
    explicit AtomicFile(QString path);
    ~AtomicFile(); // removes the temporary file unless committed

    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(const char* data, std::size_t size);
    bool write(const QByteArray& bytes) {
        return write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    // Flushes, optionally forces the data to disk (small files whose loss would hurt), closes
    // and renames over the target.
    bool commit(bool syncToDisk = false);
    void cancel();
    // The system's text for the first failure.
    const QString& errorString() const { return error_; }

private:
    bool flush();
    bool fail();

    QString path_;
    QString temporary_;
    int fd_ = -1;
    QByteArray buffer_;
    QString error_;
};

// Called at every step of a save that changes what is on disk: the temporary file opened, each
// write to it, its sync, close and rename. Tests point it at a function that kills the saving
// process at one of those moments; in the program it stays empty.
extern void (*atomicFileStepHook)();

// The whole file at once; true when it was written and renamed into place.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, bool syncToDisk = true);

} // namespace quorvex
