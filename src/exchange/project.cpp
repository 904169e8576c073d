#include "exchange/project.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "image/image_document.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <zip.h>

#include <memory>

namespace quorvex {

namespace {

constexpr char kManifest[] = "manifest.json";
constexpr char kProfile[] = "profile.json";
constexpr char kTable[] = "table.txt";
constexpr char kSession[] = "session.json";
const QString kPictureFolder = QStringLiteral("picture/");
// Larger members than these are no project of ours (and would only exhaust memory).
constexpr zip_uint64_t kMaxPictureBytes = zip_uint64_t(1) << 31;
constexpr zip_uint64_t kMaxTableBytes = zip_uint64_t(1) << 30;
constexpr zip_uint64_t kMaxJsonBytes = zip_uint64_t(1) << 24;
constexpr qint64 kMaxArchiveBytes = qint64(3) << 30;

[[noreturn]] void fail(const QString& reason) {
    throw ProjectError(reason);
}

QString zipErrorText(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

// ---- the Table's text

void appendEscaped(QByteArray& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
}

QByteArray unescaped(QByteArrayView field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const char next = field[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

QString hexColour(Colour c) {
    return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0'));
}

Colour colourOf(const QJsonObject& object, const char* key, Colour fallback) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) return fallback;
    const QString text = value.toString();
    bool ok = false;
    const uint c = text.startsWith(QLatin1String("0x")) ? text.mid(2).toUInt(&ok, 16) : 0;
    if (!ok || text.size() > 8) fail(QStringLiteral("session.json: %1 is no colour").arg(key));
    return c;
}

// ---- the archive

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscard>;

QByteArray readMember(zip_t* archive, const char* name, zip_uint64_t limit, bool required = true) {
    const zip_int64_t index = zip_name_locate(archive, name, 0);
    if (index < 0) {
        if (required) fail(QStringLiteral("the member %1 is missing").arg(QString::fromUtf8(name)));
        return {};
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE))
        fail(QStringLiteral("the member %1 cannot be read").arg(QString::fromUtf8(name)));
    if (stat.size > limit)
        fail(QStringLiteral("the member %1 is larger than a project holds")
                 .arg(QString::fromUtf8(name)));
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        fail(QStringLiteral("the member %1 cannot be read: %2")
                 .arg(QString::fromUtf8(name), QString::fromUtf8(zip_strerror(archive))));
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    zip_int64_t total = 0;
    while (total < static_cast<zip_int64_t>(stat.size)) {
        const zip_int64_t got =
            zip_fread(file, bytes.data() + total, stat.size - static_cast<zip_uint64_t>(total));
        if (got <= 0) break;
        total += got;
    }
    // Reading past the end checks the member's checksum.
    char extra = 0;
    const zip_int64_t after =
        total == static_cast<zip_int64_t>(stat.size) ? zip_fread(file, &extra, 1) : 0;
    const QString reason = QString::fromUtf8(zip_file_strerror(file));
    zip_fclose(file);
    if (total != static_cast<zip_int64_t>(stat.size) || after != 0)
        fail(QStringLiteral("the member %1 is damaged: %2").arg(QString::fromUtf8(name), reason));
    return bytes;
}

QJsonObject jsonMember(zip_t* archive, const char* name) {
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(readMember(archive, name, kMaxJsonBytes), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        fail(QStringLiteral("%1 is no JSON object").arg(QString::fromUtf8(name)));
    return document.object();
}

int intOf(const QJsonObject& object, const char* key, int low, int high) {
    const QJsonValue value = object.value(QLatin1String(key));
    const double number = value.toDouble(-1e300);
    if (!value.isDouble() || number != static_cast<int>(number) || number < low || number > high)
        fail(QStringLiteral("session.json: %1 must be a whole number from %2 to %3")
                 .arg(key)
                 .arg(low)
                 .arg(high));
    return static_cast<int>(number);
}

} // namespace

QByteArray projectTableText(const Table& table) {
    const TableStore& store = table.store();
    QByteArray out;
    int lastRow = store.storedRows() - 1;
    while (lastRow > 0 && !store.rowHoldsText(lastRow))
        --lastRow;
    for (int row = 0; row <= lastRow; ++row) {
        const qsizetype lineStart = out.size();
        qsizetype lastText = lineStart;
        for (int column = 1; column < TableStore::kMaxColumns; ++column) {
            if (column > 1) out += '\t';
            const std::string_view text = store.cellBytes(column, row);
            if (text.empty()) continue;
            if (text.find_first_of("\t\n\r\\") == std::string_view::npos)
                out.append(text.data(), static_cast<qsizetype>(text.size()));
            else
                appendEscaped(out, text);
            lastText = out.size();
        }
        out.truncate(lastText); // no empty cells at the end of a line
        out += '\n';
    }
    return out;
}

void readProjectTableText(const QByteArray& text, Table& table) {
    TableStore& store = table.store();
    std::vector<QByteArrayView> fields;
    std::vector<QByteArray> kept; // unescaped fields, alive while their row is written
    int row = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        if (row > Table::kMaxRows) fail(QStringLiteral("table.txt holds more rows than a Table"));
        const QByteArrayView line(text.constData() + start, end - start);
        fields.clear();
        kept.clear();
        qsizetype fieldStart = 0;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != '\t') continue;
            const QByteArrayView field = line.sliced(fieldStart, i - fieldStart);
            fields.push_back(field);
            fieldStart = i + 1;
        }
        if (static_cast<int>(fields.size()) >= TableStore::kMaxColumns)
            fail(QStringLiteral("table.txt: row %1 holds more columns than a Table").arg(row));
        kept.reserve(fields.size());
        for (QByteArrayView& field : fields)
            if (field.contains('\\')) {
                kept.push_back(unescaped(field));
                field = kept.back();
            }
        if (!(fields.size() == 1 && fields[0].isEmpty())) store.replaceLeadingCells(row, fields);
        ++row;
        start = end + 1;
    }
}

QByteArray projectArchive(const Project& project, const Table& table) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) fail(zipErrorText(&error));
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        fail(zipErrorText(&error));
    }
    zip_source_keep(buffer); // the bytes are read from it after the archive is closed

    QJsonObject manifest{{"format", QLatin1String(kProjectFormat)},
                         {"version", kProjectVersion},
                         {"program", bareCaption()},
                         {"picture", project.pictureName}};
    const Table::Shape shape = table.shape();
    QJsonArray nextRows;
    for (int curve = 1; curve <= Table::kMaxPairs; ++curve)
        nextRows.append(shape.nextRow[static_cast<std::size_t>(curve)]);
    QJsonObject session{{"pairs", shape.pairCount},
                        {"rows", shape.rowCount},
                        {"importedColumns", shape.importedColumns},
                        {"nextRows", nextRows},
                        {"curve", table.curveText()},
                        {"curveColour", hexColour(project.curveColour)},
                        {"markerColour", hexColour(project.markerColour)}};
    // The members stay alive until the archive is written.
    const QByteArray members[] = {QJsonDocument(manifest).toJson(), profileJson(project.profile),
                                  projectTableText(table), QJsonDocument(session).toJson()};
    const QString names[] = {QLatin1String(kManifest), QLatin1String(kProfile),
                             QLatin1String(kTable), QLatin1String(kSession)};
    auto add = [&](const QString& name, const QByteArray& bytes, bool compress) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(),
                                                 static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8)
                   : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            const QString reason = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            zip_source_free(buffer);
            fail(reason);
        }
        // Fast deflate for the texts; the picture file is mostly compressed already.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, compress ? 1 : 0);
    };
    for (int i = 0; i < 4; ++i)
        add(names[i], members[i], true);
    add(kPictureFolder + QFileInfo(project.pictureName).fileName(), project.pictureBytes, false);
    if (zip_close(archive) != 0) {
        const QString reason = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(buffer);
        fail(reason);
    }
    QByteArray bytes;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        if (size > 0) {
            bytes.resize(static_cast<qsizetype>(size));
            if (zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size)) != size)
                bytes.clear();
        }
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    if (bytes.isEmpty()) fail(QStringLiteral("the archive could not be made"));
    return bytes;
}

Project parseProject(const QByteArray& archiveBytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        archiveBytes.constData(), static_cast<zip_uint64_t>(archiveBytes.size()), 0, &error);
    if (!source) fail(zipErrorText(&error));
    ZipArchive archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        zip_source_free(source);
        fail(QStringLiteral("it is no ZIP archive (%1)").arg(zipErrorText(&error)));
    }
    if (zip_get_num_entries(archive.get(), 0) <= 0) fail(QStringLiteral("the file is empty"));
    const QJsonObject manifest = jsonMember(archive.get(), kManifest);
    if (manifest.value(QLatin1String("format")).toString() != QLatin1String(kProjectFormat))
        fail(QStringLiteral("it is no Quorvex project"));
    const QJsonValue version = manifest.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1)
        fail(QStringLiteral("manifest.json has no version"));
    if (version.toDouble() > kProjectVersion)
        fail(QStringLiteral("it was written by a later version (project version %1; this "
                            "program reads version %2)")
                 .arg(version.toDouble())
                 .arg(kProjectVersion));
    Project project;
    project.program = manifest.value(QLatin1String("program")).toString();
    project.pictureName = QFileInfo(manifest.value(QLatin1String("picture")).toString()).fileName();
    if (project.pictureName.isEmpty()) fail(QStringLiteral("manifest.json names no picture"));
    project.pictureBytes =
        readMember(archive.get(), (kPictureFolder + project.pictureName).toUtf8().constData(),
                   kMaxPictureBytes);
    try {
        project.profile = parseProfile(readMember(archive.get(), kProfile, kMaxJsonBytes));
    } catch (const ProfileError& profileError) {
        fail(QStringLiteral("profile.json: %1").arg(profileError.message()));
    }
    const QJsonObject session = jsonMember(archive.get(), kSession);
    Table& table = *project.table;
    readProjectTableText(readMember(archive.get(), kTable, kMaxTableBytes), table);
    Table::Shape shape;
    shape.pairCount = intOf(session, "pairs", 1, Table::kMaxPairs);
    shape.rowCount = intOf(session, "rows", 1, Table::kMaxRows);
    shape.importedColumns = intOf(session, "importedColumns", 0, TableStore::kMaxColumns - 1);
    const QJsonArray nextRows = session.value(QLatin1String("nextRows")).toArray();
    if (nextRows.size() != Table::kMaxPairs)
        fail(QStringLiteral("session.json: nextRows must hold %1 rows").arg(Table::kMaxPairs));
    for (int curve = 1; curve <= Table::kMaxPairs; ++curve) {
        const double row = nextRows.at(curve - 1).toDouble(-1);
        if (row != static_cast<int>(row) || row < 1 || row > Table::kMaxRows + 1)
            fail(QStringLiteral("session.json: nextRows[%1] is no row").arg(curve - 1));
        shape.nextRow[static_cast<std::size_t>(curve)] = static_cast<int>(row);
    }
    table.setShape(shape);
    const QJsonValue curve = session.value(QLatin1String("curve"));
    if (!curve.isString() || curve.toString().size() > 64)
        fail(QStringLiteral("session.json: curve must be a text"));
    table.setCurveText(curve.toString());
    project.curveColour = colourOf(session, "curveColour", kBlack);
    project.markerColour = colourOf(session, "markerColour", kRed);
    return project;
}

bool writeProjectFile(const QString& path, const Project& project, const Table& table,
                      QString* error) {
    QByteArray bytes;
    try {
        bytes = projectArchive(project, table);
    } catch (const ProjectError& e) {
        if (error) *error = e.message();
        return false;
    }
    return writeFileAtomically(path, bytes, true, error);
}

Project readProjectFile(const QString& path) {
    const auto named = [&path](const QString& reason) {
        return ProjectError(message(Msg::ProjectUnusable).arg(QFileInfo(path).fileName(), reason));
    };
    QFile file(path);
    if (QFileInfo(path).isDir()) throw named(QStringLiteral("Is a directory"));
    if (!file.open(QIODevice::ReadOnly)) throw named(file.errorString());
    if (file.size() > kMaxArchiveBytes) throw named(QStringLiteral("it is larger than a project"));
    const QByteArray bytes = file.readAll();
    try {
        return parseProject(bytes);
    } catch (const ProjectError& e) {
        throw named(e.message());
    }
}

} // namespace quorvex
