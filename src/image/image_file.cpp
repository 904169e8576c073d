#include "image/image_file.h"

#include "core/atomic_file.h"
#include "core/canvas.h"
#include "core/messages.h"
#include "image/bmp.h"
#include "image/ico.h"
#include "image/image_error.h"
#include "image/jpeg.h"
#include "image/metafile.h"
#include "image/pixel_format.h"
#include "image/png_chunks.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

ImageReader readerForPath(const QString& path) {
    if (path.endsWith(QLatin1String(".gif")) || path.endsWith(QLatin1String(".GIF")))
        return ImageReader::Gif;
    if (path.endsWith(QLatin1String(".tif")) || path.endsWith(QLatin1String(".TIF")))
        return ImageReader::Tiff;
    return ImageReader::BuiltIn;
}

QString builtInType(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toUpper();
    return suffix == QLatin1String("JPEG") ? QStringLiteral("JPG") : suffix;
}

QString builtInTypeOfContent(const std::uint8_t* data, std::size_t size) {
    const auto starts = [&](std::initializer_list<std::uint8_t> magic) {
        return size >= magic.size() && std::equal(magic.begin(), magic.end(), data);
    };
    if (starts({'B', 'M'})) return QStringLiteral("BMP");
    if (starts({0xFF, 0xD8, 0xFF})) return QStringLiteral("JPG");
    if (starts({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return QStringLiteral("PNG");
    if (starts({0, 0, 1, 0})) return QStringLiteral("ICO");
    if (isEnhancedMetafile(data, size)) return QStringLiteral("EMF");
    // A placeable metafile, or the plain header (in memory or on disk, nine words long).
    if (starts({0xD7, 0xCD, 0xC6, 0x9A}) || starts({1, 0, 9, 0}) || starts({2, 0, 9, 0}))
        return QStringLiteral("WMF");
    return QString();
}

bool builtInTypeSupported(const QString& type) {
    static const QStringList supported{"BMP", "EMF", "ICO", "JPG", "WMF", "PNG"};
    return supported.contains(type);
}

Raster missingFileRaster() {
    Raster raster(32, 32, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    canvas.pen.colour = kRed;
    canvas.pen.width = 3;
    canvas.line(2, 2, 29, 29);
    canvas.line(2, 29, 29, 2);
    return raster;
}

namespace {

// Runs a reader and puts the file name in front of the reason it gives for failing.
template <typename Read> auto namingFile(const QString& path, Read&& read) -> decltype(read()) {
    try {
        return read();
    } catch (const ImageError& error) {
        throw ImageError(message(Msg::ImageReadFailed).arg(path, error.message()));
    } catch (const std::bad_alloc&) {
        throw ImageError(message(Msg::ImageReadFailed).arg(path, QStringLiteral("out of memory")));
    }
}

// A file's bytes mapped into memory, its pages populated at once (far cheaper than a fault per
// page on a large image), or read into a buffer where mapping fails.
class FileBytes {
public:
    explicit FileBytes(const QString& path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        struct stat info;
        if (fd_ < 0 || ::fstat(fd_, &info) != 0)
            throw ImageError(QString::fromLocal8Bit(std::strerror(errno)));
        size_ = static_cast<std::size_t>(info.st_size);
        if (size_ == 0) throwTruncated();
        void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd_, 0);
        if (mapped != MAP_FAILED) {
            mapped_ = mapped;
            data_ = static_cast<const std::uint8_t*>(mapped);
            return;
        }
        QFile file;
        if (!file.open(fd_, QIODevice::ReadOnly)) throw ImageError(file.errorString());
        copy_ = file.readAll();
        data_ = reinterpret_cast<const std::uint8_t*>(copy_.constData());
        size_ = static_cast<std::size_t>(copy_.size());
    }
    ~FileBytes() {
        if (mapped_) ::munmap(mapped_, size_);
        if (fd_ >= 0) ::close(fd_);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    int fd_ = -1;
    void* mapped_ = nullptr;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    QByteArray copy_;
};

template <typename Decode> Raster decodeFile(const QString& path, Decode&& decode) {
    return namingFile(path, [&] {
        const FileBytes bytes(path);
        return decode(bytes.data(), bytes.size());
    });
}

// Decodes through Qt's image plug-ins.
Raster decodeWithQt(QImageReader& reader) {
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid()) checkRasterSize(size.width(), size.height());
    // Our own size limit applies instead of the reader's smaller default.
    QImageReader::setAllocationLimit(static_cast<int>(kMaxRasterPixels * 4 / (1024 * 1024)));
    QImage image;
    if (!reader.read(&image)) throw ImageError(reader.errorString());
    return fromQImage(image);
}

Raster readWithQt(const QString& path, const char* format) {
    return namingFile(path, [&] {
        QImageReader reader(path, format);
        return decodeWithQt(reader);
    });
}

} // namespace

Raster readBuiltIn(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return missingFileRaster();
    if (!info.isFile())
        throw ImageError(
            message(Msg::ImageReadFailed)
                .arg(path, QString::fromLocal8Bit(std::strerror(info.isDir() ? EISDIR : EINVAL))));
    // The picture is read by what it holds: a JPEG named ".png" is a JPEG. The extension
    // decides only when the content is of no kind this reader knows (its reader then says
    // what is wrong), and a type this reader does not take is refused before reading.
    const QString named = builtInType(path);
    if (!named.isEmpty() && !builtInTypeSupported(named))
        throw ImageError(message(Msg::UnsupportedImageType).arg(named));
    QString type;
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray head = file.read(64);
            type = builtInTypeOfContent(reinterpret_cast<const std::uint8_t*>(head.constData()),
                                        static_cast<std::size_t>(head.size()));
        }
    }
    if (type.isEmpty()) type = named;
    if (type.isEmpty()) throw ImageError(message(Msg::NoImageType).arg(info.fileName()));
    if (type == QLatin1String("PNG")) {
        // The chunks are checked and decoded from the same mapped bytes.
        return namingFile(path, [&path] {
            const FileBytes bytes(path);
            checkPngChunks(bytes.data(), bytes.size());
            QByteArray view = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                      qsizetype(bytes.size()));
            QBuffer device(&view);
            device.open(QIODevice::ReadOnly);
            QImageReader reader(&device, "png");
            return decodeWithQt(reader);
        });
    }
    if (type == QLatin1String("BMP"))
        return namingFile(path, [&path] { return readBmpFile(path); });
    return decodeFile(path, [&type](const std::uint8_t* data, std::size_t size) {
        if (type == QLatin1String("JPG")) return decodeJpeg(data, size);
        if (type == QLatin1String("ICO")) return decodeIcon(data, size);
        // A metafile is read by what it holds, whatever its extension says: the Grapher writes
        // enhanced metafiles under ".wmf" names.
        return isEnhancedMetafile(data, size) ? decodeEmf(data, size) : decodeWmf(data, size);
    });
}

// A GIF has at most 256 colours: it becomes an 8-bit raster with the colours it uses.
Raster readGif(const QString& path) {
    return indexedIfFewColours(readWithQt(path, "gif"));
}
Raster readTiff(const QString& path) {
    return readWithQt(path, "tiff");
}

Raster readImageFile(const QString& path, ImageReader reader) {
    switch (reader) {
    case ImageReader::Gif:
        return readGif(path);
    case ImageReader::Tiff:
        return readTiff(path);
    default:
        return readBuiltIn(path);
    }
}

void writeImageFile(const Raster& raster, const QString& path) {
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        writeBmpFile(raster, path);
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    AtomicFile file(path);
    const auto fail = [&path](const QString& reason) {
        throw ImageError(message(Msg::ImageWriteFailed).arg(path, reason));
    };
    if (!toQImage(raster).save(&buffer, "PNG")) fail(QStringLiteral("PNG"));
    if (!file.open() || !file.write(bytes) || !file.commit()) fail(file.errorString());
}

} // namespace quorvex
