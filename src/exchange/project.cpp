#include "exchange/project.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "image/image_document.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

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
constexpr time_t kArchiveTime = 946684800; // 2000-01-01

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

// Opens a member for reading, checking its size.
zip_file_t* openMember(zip_t* archive, const char* name, zip_uint64_t limit, zip_uint64_t* size) {
    const zip_int64_t index = zip_name_locate(archive, name, 0);
    if (index < 0) fail(QStringLiteral("the member %1 is missing").arg(QString::fromUtf8(name)));
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
    *size = stat.size;
    return file;
}

// Reads a member a piece at a time: `piece` gets each one; the whole member, its size and its
// checksum are checked at the end.
void readMemberPieces(zip_t* archive, const char* name, zip_uint64_t limit,
                      const std::function<void(const char*, const char*)>& piece) {
    zip_uint64_t size = 0;
    zip_file_t* file = openMember(archive, name, limit, &size);
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> closing(file, zip_fclose);
    // Pieces of up to 1 MiB; a small member is read in one.
    QByteArray buffer(static_cast<qsizetype>(std::min<zip_uint64_t>(size + 1, 1 << 20)),
                      Qt::Uninitialized);
    zip_uint64_t total = 0;
    zip_int64_t got = 0;
    while ((got = zip_fread(file, buffer.data(), static_cast<zip_uint64_t>(buffer.size()))) > 0) {
        total += static_cast<zip_uint64_t>(got);
        if (total > size) break;
        piece(buffer.constData(), buffer.constData() + got);
    }
    // The end of the member is where its checksum is checked.
    if (got < 0 || total != size)
        fail(QStringLiteral("the member %1 is damaged: %2")
                 .arg(QString::fromUtf8(name), QString::fromUtf8(zip_file_strerror(file))));
}

QByteArray readMember(zip_t* archive, const char* name, zip_uint64_t limit) {
    QByteArray bytes;
    readMemberPieces(archive, name, limit, [&bytes](const char* begin, const char* end) {
        bytes.append(begin, end - begin);
    });
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

namespace {

// The last row holding text (0 for an empty Table: the titles are always written).
int lastTableRow(const TableStore& store) {
    int lastRow = store.storedRows() - 1;
    while (lastRow > 0 && !store.rowHoldsText(lastRow))
        --lastRow;
    return std::max(lastRow, 0);
}

// The lines of rows first .. last, appended to `out`.
void appendTableLines(const TableStore& store, int first, int last, QByteArray& out) {
    constexpr int kTabs = TableStore::kMaxColumns - 2;
    for (int row = first; row <= last; ++row) {
        const qsizetype lineStart = out.size();
        // Most rows hold plain numbers: the row's texts joined in one pass, then checked.
        store.appendRowText(row, 1, TableStore::kMaxColumns - 1, '\t', out);
        int tabs = 0;
        bool plain = true;
        qsizetype lastText = lineStart;
        const char* data = out.constData();
        for (qsizetype i = lineStart, end = out.size(); i < end; ++i) {
            const char c = data[i];
            if (c == '\t') {
                ++tabs;
            } else {
                lastText = i + 1;
                plain = plain && c != '\n' && c != '\r' && c != '\\';
            }
        }
        if (plain && tabs == kTabs) {
            out.truncate(lastText); // no empty cells at the end of a line
            out += '\n';
            continue;
        }
        // A cell holds a tab, a line break or a backslash: cell by cell, escaped.
        out.truncate(lineStart);
        lastText = lineStart;
        for (int column = 1; column < TableStore::kMaxColumns; ++column) {
            if (column > 1) out += '\t';
            const std::string_view text = store.cellBytes(column, row);
            if (text.empty()) continue;
            appendEscaped(out, text);
            lastText = out.size();
        }
        out.truncate(lastText);
        out += '\n';
    }
}

} // namespace

QByteArray projectTableText(const Table& table) {
    const TableStore& store = table.store();
    QByteArray out;
    appendTableLines(store, 0, lastTableRow(store), out);
    return out;
}

namespace {

// Reads table.txt line by line into the rows from 0 on, as the lines arrive.
class TableLineReader {
public:
    explicit TableLineReader(TableStore& store) : store_(store) {}

    // The lines of a piece of the text; a line cut at its end waits for the next piece.
    void read(const char* begin, const char* end) {
        const char* line = begin;
        if (!pending_.isEmpty()) {
            const char* lineEnd =
                static_cast<const char*>(std::memchr(begin, '\n', std::size_t(end - begin)));
            if (!lineEnd) {
                pending_.append(begin, end - begin);
                return;
            }
            pending_.append(begin, lineEnd - begin);
            readLine(pending_.constData(), pending_.constData() + pending_.size());
            pending_.clear();
            line = lineEnd + 1;
        }
        while (line < end) {
            const char* lineEnd =
                static_cast<const char*>(std::memchr(line, '\n', std::size_t(end - line)));
            if (!lineEnd) {
                pending_.append(line, end - line);
                return;
            }
            readLine(line, lineEnd);
            line = lineEnd + 1;
        }
    }
    void finish() {
        if (!pending_.isEmpty())
            readLine(pending_.constData(), pending_.constData() + pending_.size());
        pending_.clear();
    }

private:
    void readLine(const char* line, const char* lineEnd) {
        if (row_ > Table::kMaxRows) fail(QStringLiteral("table.txt holds more rows than a Table"));
        fields_.clear();
        bool escaped = false;
        for (const char* field = line;;) {
            const char* tab =
                static_cast<const char*>(std::memchr(field, '\t', std::size_t(lineEnd - field)));
            const char* fieldEnd = tab ? tab : lineEnd;
            fields_.emplace_back(field, fieldEnd - field);
            if (static_cast<int>(fields_.size()) >= TableStore::kMaxColumns)
                fail(QStringLiteral("table.txt: row %1 holds more columns than a Table").arg(row_));
            escaped = escaped || std::memchr(field, '\\', std::size_t(fieldEnd - field));
            if (!tab) break;
            field = tab + 1;
        }
        std::vector<QByteArray> kept; // unescaped fields, alive while the row is written
        if (escaped) {
            kept.reserve(fields_.size());
            for (QByteArrayView& field : fields_)
                if (field.contains('\\')) {
                    kept.push_back(unescaped(field));
                    field = kept.back();
                }
        }
        if (!(fields_.size() == 1 && fields_[0].isEmpty()))
            store_.replaceLeadingCells(row_, fields_);
        ++row_;
    }

    TableStore& store_;
    std::vector<QByteArrayView> fields_;
    QByteArray pending_;
    int row_ = 0;
};

void readTableMember(zip_t* archive, Table& table) {
    TableLineReader reader(table.store());
    readMemberPieces(archive, kTable, kMaxTableBytes,
                     [&reader](const char* begin, const char* end) { reader.read(begin, end); });
    reader.finish();
}

// table.txt as the archive writes it: the lines made a piece at a time while libzip reads, so
// that no copy of the whole text is ever held.
struct TableTextSource {
    const TableStore& store;
    int lastRow;
    int nextRow = 0;
    QByteArray piece;
    qsizetype position = 0;
    zip_error_t error;
};

zip_int64_t tableTextCallback(void* state, void* data, zip_uint64_t length,
                              zip_source_cmd_t command) {
    auto& source = *static_cast<TableTextSource*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source.nextRow = 0;
        source.piece.clear();
        source.position = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        constexpr qsizetype kPiece = 1 << 20;
        zip_uint64_t copied = 0;
        while (copied < length) {
            if (source.position == source.piece.size()) {
                if (source.nextRow > source.lastRow) break;
                source.piece.clear();
                while (source.nextRow <= source.lastRow && source.piece.size() < kPiece) {
                    appendTableLines(source.store, source.nextRow, source.nextRow, source.piece);
                    ++source.nextRow;
                }
                source.position = 0;
            }
            const auto take = std::min<zip_uint64_t>(
                length - copied, static_cast<zip_uint64_t>(source.piece.size() - source.position));
            std::memcpy(static_cast<char*>(data) + copied,
                        source.piece.constData() + source.position, take);
            copied += take;
            source.position += static_cast<qsizetype>(take);
        }
        return static_cast<zip_int64_t>(copied);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                              -1);
    default:
        zip_error_set(&source.error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

} // namespace

namespace {

// The members of an archive, kept alive until the archive is written; the Table's text is made
// while it is written.
struct Members {
    explicit Members(const Table& table)
        : tableText{table.store(), lastTableRow(table.store()), 0, {}, 0, {}} {
        zip_error_init(&tableText.error);
    }
    ~Members() { zip_error_fini(&tableText.error); }
    QByteArray bytes[5];
    TableTextSource tableText;
};

// Adds the project's members to an open archive; false with the reason.
bool addMembers(zip_t* archive, const Project& project, const Table& table, Members& members,
                QString* reason) {
    QJsonObject manifest{{"format", QLatin1String(kProjectFormat)},
                         {"version", kProjectVersion},
                         {"program", bareCaption()},
                         {"picture", QFileInfo(project.pictureName).fileName()}};
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
    if (project.page > 0) {
        session.insert("page", project.page);
        session.insert("dpi", project.dpi);
    }
    members.bytes[0] = QJsonDocument(manifest).toJson();
    members.bytes[1] = profileJson(project.profile);
    members.bytes[3] = QJsonDocument(session).toJson();
    const QString names[] = {QLatin1String(kManifest), QLatin1String(kProfile),
                             QLatin1String(kTable), QLatin1String(kSession),
                             kPictureFolder + QFileInfo(project.pictureName).fileName()};
    // The texts are deflated, except a Table so large that deflating it would make saving and
    // opening several times slower; the picture file is mostly compressed already.
    constexpr std::size_t kLargestDeflatedTable = 8 << 20;
    const bool deflateTable = table.store().memoryBytes() <= kLargestDeflatedTable;
    for (int i = 0; i < 5; ++i) {
        const QByteArray& bytes = i == 4 ? project.pictureBytes : members.bytes[i];
        zip_source_t* source =
            i == 2 ? zip_source_function(archive, tableTextCallback, &members.tableText)
                   : zip_source_buffer(archive, bytes.constData(),
                                       static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, names[i].toUtf8().constData(), source, ZIP_FL_ENC_UTF_8)
                   : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            *reason = QString::fromUtf8(zip_strerror(archive));
            return false;
        }
        // The same work gives the same bytes, whenever it is saved (no times in the archive
        // but the manifest's own).
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kArchiveTime, 0);
        const bool deflate = i < 4 && (i != 2 || deflateTable);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, deflate ? 1 : 0);
    }
    return true;
}

} // namespace

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
    Members members(table);
    QString reason;
    if (!addMembers(archive, project, table, members, &reason) || zip_close(archive) != 0) {
        if (reason.isEmpty()) reason = QString::fromUtf8(zip_strerror(archive));
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

namespace {

Project readArchive(const ZipArchive& archive) {
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
    readTableMember(archive.get(), table);
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
    if (session.contains(QLatin1String("page"))) {
        project.page = intOf(session, "page", 1, 1000000);
        const double dpi = session.value(QLatin1String("dpi")).toDouble(-1);
        if (!(dpi >= 10 && dpi <= 2400))
            fail(QStringLiteral("session.json: dpi must be from 10 to 2400"));
        project.dpi = dpi;
    }
    return project;
}

} // namespace

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
    return readArchive(archive);
}

bool writeProjectFile(const QString& path, const Project& project, const Table& table,
                      QString* error) {
    QString reason;
    const SaveTarget target = resolveSaveTarget(path);
    if (target.kind == SaveTarget::Kind::Refused) {
        if (error) *error = target.error;
        return false;
    }
    // The archive is written under a temporary name beside the target and renamed over it only
    // when it is complete.
    QTemporaryFile reserved(target.temporaryFolder() + QStringLiteral("/.quorvex-project-XXXXXX"));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        if (error) *error = reserved.errorString();
        return false;
    }
    const QString temporary = reserved.fileName();
    reserved.close();
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(temporary).constData(), ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        reason = zipErrorText(&zipError);
        zip_error_fini(&zipError);
    } else {
        Members members(table);
        if (atomicFileStepHook) atomicFileStepHook();
        if (!addMembers(archive, project, table, members, &reason) || zip_close(archive) != 0) {
            if (reason.isEmpty()) reason = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
        } else {
            if (atomicFileStepHook) atomicFileStepHook();
            if (replaceWithTemporary(temporary, target, &reason)) {
                if (atomicFileStepHook) atomicFileStepHook();
                return true;
            }
        }
    }
    QFile::remove(temporary);
    if (error) *error = reason;
    return false;
}

Project readProjectFile(const QString& path) {
    const auto named = [&path](const QString& reason) {
        return ProjectError(message(Msg::ProjectUnusable).arg(QFileInfo(path).fileName(), reason));
    };
    const QFileInfo info(path);
    if (info.isDir()) throw named(QStringLiteral("Is a directory"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw named(file.errorString());
    if (file.size() > kMaxArchiveBytes) throw named(QStringLiteral("it is larger than a project"));
    if (file.size() == 0) throw named(QStringLiteral("the file is empty"));
    file.close();
    int code = 0;
    ZipArchive archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        const QString reason = zipErrorText(&zipError);
        zip_error_fini(&zipError);
        throw named(QStringLiteral("it is no ZIP archive (%1)").arg(reason));
    }
    try {
        return readArchive(archive);
    } catch (const ProjectError& e) {
        throw named(e.message());
    }
}

} // namespace quorvex
