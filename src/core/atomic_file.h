#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace quorvex {

// What a save that replaces a file when it is complete writes to. A symbolic link is followed
// (the file it points at is replaced and the link stays); a name that is not a regular file
// is never replaced: a character device or a FIFO (/dev/stdout, a pipe) is written to
// directly, anything else (a folder, a socket) is refused.
struct SaveTarget {
    enum class Kind { Missing, Regular, Stream, Refused };
    QString path; // the file the name leads to
    Kind kind = Kind::Missing;
    unsigned mode = 0666; // the permission bits an existing file keeps
    QString error;        // why it is refused
    // The folder a temporary file for it goes in: beside the target, or the temporary folder
    // for a stream (never a device folder).
    QString temporaryFolder() const;
};
SaveTarget resolveSaveTarget(const QString& path);

// Puts a complete temporary file in the target's place: renamed over a regular or missing
// target (with the target's permission bits), copied into a stream and then removed. The
// temporary file is gone afterwards in every case; false with the reason on failure.
bool replaceWithTemporary(const QString& temporary, const SaveTarget& target, QString* error);

// Writes a file under a temporary name in the target's folder and renames it over the target
// only when everything was written, so a failure, a crash or a kill never leaves a half-written
// file where the user's old file was. An existing target keeps its permission bits. The target
// is resolved as SaveTarget says: a stream is written to directly.
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
    SaveTarget target_;
    QString temporary_;
    int fd_ = -1;
    QByteArray buffer_;
    QString error_;
};

// Called at every step of a save that changes what is on disk: the temporary file opened, each
// write to it, its sync, close and rename. Tests point it at a function that kills the saving
// process at one of those moments; in the program it stays empty.
extern void (*atomicFileStepHook)();

// The whole file at once; true when it was written and renamed into place, else the reason
// in `error`.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, bool syncToDisk = true,
                         QString* error = nullptr);

} // namespace quorvex
