#include "autodigit/profile.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>

namespace quorvex {

namespace {

const std::array<std::pair<RecognitionMode, const char*>, 7> kModes{{
    {RecognitionMode::Exact, "exact"},
    {RecognitionMode::Interval, "interval"},
    {RecognitionMode::ClosestHue, "closest"},
    {RecognitionMode::Brightness, "brightness"},
    {RecognitionMode::TowardsBlack, "black"},
    {RecognitionMode::Distance, "distance"},
    {RecognitionMode::Vector, "vector"},
}};
const std::array<std::pair<IntervalSide, const char*>, 3> kSides{
    {{IntervalSide::Left, "left"}, {IntervalSide::Both, "both"}, {IntervalSide::Right, "right"}}};

QJsonArray numbers(std::initializer_list<int> values) {
    QJsonArray array;
    for (int v : values)
        array.append(v);
    return array;
}

[[noreturn]] void bad(const QString& why) {
    throw ProfileError(why);
}

// Readers of one member each: a missing member keeps the default, a member of the wrong kind or
// out of range is an error naming it.
class Reader {
public:
    Reader(const QJsonObject& object, QString where) : object_(object), where_(std::move(where)) {}
    bool has(const char* key) const { return object_.contains(QLatin1String(key)); }
    int integer(const char* key, int fallback, int low, int high) const {
        if (!has(key)) return fallback;
        return wholeNumber(object_.value(QLatin1String(key)), low, high, name(key));
    }
    bool boolean(const char* key, bool fallback) const {
        if (!has(key)) return fallback;
        const QJsonValue v = object_.value(QLatin1String(key));
        if (!v.isBool()) bad(QStringLiteral("%1.%2 must be true or false").arg(where_, key));
        return v.toBool();
    }
    QString text(const char* key, const QString& fallback) const {
        if (!has(key)) return fallback;
        const QJsonValue v = object_.value(QLatin1String(key));
        if (!v.isString()) bad(QStringLiteral("%1.%2 must be a text").arg(where_, key));
        return v.toString();
    }
    template <std::size_t N>
    std::array<int, N> integers(const char* key, std::array<int, N> fallback, int low,
                                int high) const {
        if (!has(key)) return fallback;
        const QJsonArray a = object_.value(QLatin1String(key)).toArray();
        if (!object_.value(QLatin1String(key)).isArray() || a.size() != qsizetype(N))
            bad(QStringLiteral("%1.%2 must be a list of %3 numbers").arg(where_, key).arg(N));
        std::array<int, N> out{};
        for (std::size_t i = 0; i < N; ++i)
            out[i] = wholeNumber(a[qsizetype(i)], low, high,
                                 QStringLiteral("%1[%2]").arg(name(key)).arg(i));
        return out;
    }
    template <std::size_t N>
    std::array<double, N> reals(const char* key, std::array<double, N> fallback, double low,
                                double high) const {
        if (!has(key)) return fallback;
        const QJsonArray a = object_.value(QLatin1String(key)).toArray();
        if (!object_.value(QLatin1String(key)).isArray() || a.size() != qsizetype(N))
            bad(QStringLiteral("%1.%2 must be a list of %3 numbers").arg(where_, key).arg(N));
        std::array<double, N> out{};
        for (std::size_t i = 0; i < N; ++i) {
            const QJsonValue v = a[qsizetype(i)];
            if (!v.isDouble() || !(v.toDouble() >= low && v.toDouble() <= high))
                bad(QStringLiteral("%1[%2] must be a number from %3 to %4")
                        .arg(name(key))
                        .arg(i)
                        .arg(low)
                        .arg(high));
            out[i] = v.toDouble();
        }
        return out;
    }
    Reader child(const char* key) const {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (has(key) && !v.isObject()) bad(QStringLiteral("%1 must be an object").arg(key));
        return Reader(v.toObject(), QLatin1String(key));
    }

private:
    QString name(const char* key) const {
        return where_.isEmpty() ? QLatin1String(key)
                                : where_ + QLatin1Char('.') + QLatin1String(key);
    }
    static int wholeNumber(const QJsonValue& v, int low, int high, const QString& what) {
        const double d = v.toDouble();
        // The range first: a huge number does not fit an integer type (found by fuzzing).
        if (!v.isDouble() || d < low || d > high || d != std::floor(d))
            bad(QStringLiteral("%1 must be a whole number from %2 to %3")
                    .arg(what)
                    .arg(low)
                    .arg(high));
        return static_cast<int>(d);
    }

    QJsonObject object_;
    QString where_;
};

constexpr int kPixelLimit = 1 << 18; // the largest side of a raster

// Lookups in the name tables above; the first entry is the default name.
template <typename Value, std::size_t N>
QString nameIn(const std::array<std::pair<Value, const char*>, N>& table, Value value) {
    for (const auto& [v, name] : table)
        if (v == value) return QLatin1String(name);
    return QLatin1String(table.front().second);
}
template <typename Value, std::size_t N>
std::optional<Value> valueIn(const std::array<std::pair<Value, const char*>, N>& table,
                             const QString& name) {
    for (const auto& [v, n] : table)
        if (name == QLatin1String(n)) return v;
    return std::nullopt;
}

} // namespace

QString recognitionModeName(RecognitionMode mode) {
    return nameIn(kModes, mode);
}
std::optional<RecognitionMode> recognitionModeFromName(const QString& name) {
    return valueIn(kModes, name);
}
QString intervalSideName(IntervalSide side) {
    return nameIn(kSides, side);
}
std::optional<IntervalSide> intervalSideFromName(const QString& name) {
    return valueIn(kSides, name);
}

QByteArray profileJson(const DigitizingProfile& p) {
    const Calibration& c = p.calibration;
    const ScanSettings& s = p.scan;
    QJsonObject calibration{
        {"pixelLeftBottom", c.exact ? QJsonArray{c.exactLeftBottom.x(), c.exactLeftBottom.y()}
                                    : numbers({c.pixelLeftBottom.x(), c.pixelLeftBottom.y()})},
        {"pixelRightTop", c.exact ? QJsonArray{c.exactRightTop.x(), c.exactRightTop.y()}
                                  : numbers({c.pixelRightTop.x(), c.pixelRightTop.y()})},
        {"values", QJsonArray{c.xLeftBottom, c.yLeftBottom, c.xRightTop, c.yRightTop}},
        {"xScale", c.xTransfer},
        {"yScale", c.yTransfer}};
    QJsonObject recognition{
        {"mode", recognitionModeName(s.recognition.mode)},
        {"colour", QStringLiteral("0x%1").arg(s.recognition.curve, 6, 16, QLatin1Char('0'))},
        {"interval", s.recognition.interval},
        {"side", intervalSideName(s.recognition.side)},
        {"brightness", s.recognition.brightnessMax},
        {"tolerance", s.recognition.tolerance},
        {"subPixel", s.recognition.subPixel}};
    if (s.recognition.mode == RecognitionMode::Vector)
        recognition.insert("everyStep", s.recognition.everyStep);
    QJsonObject scan{{"area", numbers({s.area.left, s.area.top, s.area.right, s.area.bottom})},
                     {"step", s.step},
                     {"indent", s.indent},
                     {"oneValued", s.oneValued},
                     {"thickness", s.thickness},
                     {"selfCorrection", s.selfCorrection},
                     {"correctionDepth", s.correctionDepth}};
    QJsonObject grid{{"search", s.grid.searchOn},
                     {"typed", s.grid.typedOn},
                     {"factors", numbers({s.grid.searchFactorH, s.grid.searchFactorV})},
                     {"widths", numbers({s.grid.lineWidthH, s.grid.lineWidthV})},
                     {"rows", p.gridRows},
                     {"columns", p.gridColumns}};
    QJsonObject root{
        {"calibration", calibration}, {"recognition", recognition}, {"scan", scan}, {"grid", grid}};
    if (p.imageSize)
        root.insert("imageSize", numbers({p.imageSize->width(), p.imageSize->height()}));
    // The header comes first, where a reader of the file looks (JSON objects keep no order).
    QByteArray text = QJsonDocument(root).toJson(QJsonDocument::Indented);
    // Version 2 only where it is needed (fractional corners), so older programs read the rest.
    text.insert(2, QByteArrayLiteral("    \"format\": \"quorvex-profile\",\n    \"version\": ") +
                       QByteArray::number(c.exact || s.recognition.mode == RecognitionMode::Vector
                                              ? kProfileVersion
                                              : 1) +
                       ",\n");
    return text;
}

DigitizingProfile parseProfile(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) bad(QStringLiteral("damaged (%1)").arg(error.errorString()));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value("format").toString() != QLatin1String("quorvex-profile"))
        bad(QStringLiteral("not a Quorvex digitizing profile"));
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() < 1 ||
        version.toDouble() != static_cast<double>(version.toInt()))
        bad(QStringLiteral("no valid version"));
    if (version.toInt() > kProfileVersion)
        bad(QStringLiteral("made by a later Quorvex (profile version %1; this one reads %2)")
                .arg(version.toInt())
                .arg(kProfileVersion));
    const Reader top(root, QString());
    for (const char* part : {"calibration", "recognition", "scan", "grid"})
        if (!top.has(part)) bad(QStringLiteral("no %1").arg(QLatin1String(part)));

    DigitizingProfile p;
    const Reader cal = top.child("calibration");
    if (version.toInt() >= 2) {
        // Version 2: corners may be fractional.
        const auto lb = cal.reals<2>("pixelLeftBottom", {0, 0}, -kPixelLimit, kPixelLimit);
        const auto rt = cal.reals<2>("pixelRightTop", {0, 0}, -kPixelLimit, kPixelLimit);
        p.calibration.setCorners(QPointF(lb[0], lb[1]), QPointF(rt[0], rt[1]));
    } else {
        const auto lb = cal.integers<2>("pixelLeftBottom", {0, 0}, -kPixelLimit, kPixelLimit);
        const auto rt = cal.integers<2>("pixelRightTop", {0, 0}, -kPixelLimit, kPixelLimit);
        p.calibration.pixelLeftBottom = QPoint(lb[0], lb[1]);
        p.calibration.pixelRightTop = QPoint(rt[0], rt[1]);
    }
    const QJsonValue values = root.value("calibration").toObject().value("values");
    if (!values.isArray() || values.toArray().size() != 4)
        bad(QStringLiteral("calibration.values must be a list of 4 texts"));
    std::array<QString, 4> v;
    for (int i = 0; i < 4; ++i) {
        if (!values.toArray()[i].isString())
            bad(QStringLiteral("calibration.values must be a list of 4 texts"));
        v[std::size_t(i)] = values.toArray()[i].toString();
        // The values are numbers written with "." (the format's own, whatever the locale): a
        // text that is none would fail only later, at the first point.
        double number = 0;
        if (!tryParseDouble(v[std::size_t(i)], QChar('.'), number) || !std::isfinite(number))
            bad(QStringLiteral("calibration.values[%1] is not a number: '%2'")
                    .arg(i)
                    .arg(v[std::size_t(i)]));
    }
    p.calibration.xLeftBottom = v[0];
    p.calibration.yLeftBottom = v[1];
    p.calibration.xRightTop = v[2];
    p.calibration.yRightTop = v[3];
    p.calibration.xTransfer = cal.integer("xScale", 0, 0, 8);
    p.calibration.yTransfer = cal.integer("yScale", 0, 0, 8);

    const Reader rec = top.child("recognition");
    Recognition& r = p.scan.recognition;
    const auto mode = recognitionModeFromName(rec.text("mode", QStringLiteral("exact")));
    if (!mode) bad(QStringLiteral("recognition.mode is unknown"));
    r.mode = *mode;
    const QString colour = rec.text("colour", QStringLiteral("0x000000"));
    bool ok = false;
    const uint c = colour.startsWith(QLatin1String("0x")) ? colour.mid(2).toUInt(&ok, 16) : 0;
    if (!ok || colour.size() > 8) bad(QStringLiteral("recognition.colour must be 0xBBGGRR"));
    r.curve = c;
    r.interval = rec.integer("interval", 0, 0, 300);
    const auto side = intervalSideFromName(rec.text("side", QStringLiteral("both")));
    if (!side) bad(QStringLiteral("recognition.side is unknown"));
    r.side = *side;
    r.brightnessMax = rec.integer("brightness", 0, 0, 255);
    r.tolerance = rec.integer("tolerance", 25, 0, 100);
    r.subPixel = rec.boolean("subPixel", false);
    r.everyStep = rec.boolean("everyStep", false);

    const Reader scan = top.child("scan");
    ScanSettings& s = p.scan;
    const auto area = scan.integers<4>("area", {0, 0, 0, 0}, 0, kPixelLimit);
    s.area = ScanArea{area[0], area[1], area[2], area[3]};
    if (s.area.left > s.area.right || s.area.top > s.area.bottom)
        bad(QStringLiteral("scan.area must run from left, top to right, bottom"));
    s.step = scan.integer("step", 1, 1, 500);
    s.indent = scan.integer("indent", 0, 0, 30);
    s.oneValued = scan.boolean("oneValued", true);
    s.thickness = scan.integer("thickness", 2, 1, 99);
    s.selfCorrection = scan.boolean("selfCorrection", true);
    s.correctionDepth = scan.integer("correctionDepth", 15, 2, 30);

    const Reader grid = top.child("grid");
    s.grid.searchOn = grid.boolean("search", false);
    s.grid.typedOn = grid.boolean("typed", false);
    const auto factors = grid.integers<2>("factors", {5, 5}, 3, 20);
    const auto widths = grid.integers<2>("widths", {3, 3}, 1, 99);
    s.grid.searchFactorH = factors[0];
    s.grid.searchFactorV = factors[1];
    s.grid.lineWidthH = widths[0];
    s.grid.lineWidthV = widths[1];
    p.gridRows = grid.text("rows", QString());
    p.gridColumns = grid.text("columns", QString());

    if (top.has("imageSize")) {
        const auto size = top.integers<2>("imageSize", {0, 0}, 1, kPixelLimit);
        p.imageSize = QSize(size[0], size[1]);
    }
    return p;
}

DigitizingProfile readProfileFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ProfileError(message(Msg::ProfileUnusable).arg(path, file.errorString()));
    // A profile is small, but its typed grid lines may make it long: the whole file is read up
    // to a bound that only a file of another kind exceeds, and that bound is named.
    constexpr qint64 kMaxProfileBytes = 16 << 20;
    if (file.size() > kMaxProfileBytes)
        throw ProfileError(message(Msg::ProfileUnusable)
                               .arg(path, QStringLiteral("%1 bytes, more than a profile holds "
                                                         "(at most %2 bytes)")
                                              .arg(file.size())
                                              .arg(kMaxProfileBytes)));
    try {
        return parseProfile(file.read(kMaxProfileBytes));
    } catch (const ProfileError& error) {
        throw ProfileError(message(Msg::ProfileUnusable).arg(path, error.message()));
    }
}

bool writeProfileFile(const QString& path, const DigitizingProfile& profile, QString* error) {
    return writeFileAtomically(path, profileJson(profile), true, error);
}

} // namespace quorvex
