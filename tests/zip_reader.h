#pragma once

// Reads the entries of a zip file (stored or deflated), as tests need to look into the
// workbooks the program writes. Small and strict: it trusts the central directory.
#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <zlib.h>

namespace quorvex::test {

inline quint32 le32(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}
inline quint16 le16(const QByteArray& b, qsizetype at) {
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

// Every entry of the archive by name; empty when the file is not a readable zip.
inline QMap<QString, QByteArray> readZip(const QString& path) {
    QMap<QString, QByteArray> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return entries;
    const QByteArray zip = file.readAll();
    qsizetype end = zip.size() - 22;
    while (end >= 0 && le32(zip, end) != 0x06054b50)
        --end;
    if (end < 0) return entries;
    const int count = le16(zip, end + 10);
    qsizetype at = le32(zip, end + 16);
    for (int i = 0; i < count; ++i) {
        if (at + 46 > zip.size() || le32(zip, at) != 0x02014b50) return {};
        const int method = le16(zip, at + 10);
        const quint32 packed = le32(zip, at + 20), size = le32(zip, at + 24);
        const int nameLength = le16(zip, at + 28), extra = le16(zip, at + 30),
                  comment = le16(zip, at + 32);
        const qsizetype local = le32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength + extra + comment;
        const qsizetype data = local + 30 + le16(zip, local + 26) + le16(zip, local + 28);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            entries.insert(name, raw);
            continue;
        }
        QByteArray out(qsizetype(size), '\0');
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return {};
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        z.avail_in = uInt(raw.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = uInt(out.size());
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END) return {};
        entries.insert(name, out);
    }
    return entries;
}

} // namespace quorvex::test
