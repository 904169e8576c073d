#include "autodigit/axis_labels.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quorvex {

namespace {

// The plain ASCII form of a label: signs, superscripts and multiplication signs normalised.
QString plainLabel(const QString& text) {
    QString out;
    bool superscript = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (c.isSpace() || u == 0x2009 || u == 0x202F || u == 0x00A0) continue;
        // Superscripts: an exponent written as such.
        static const char16_t kSuperDigits[] = {0x2070, 0x00B9, 0x00B2, 0x00B3, 0x2074,
                                                0x2075, 0x2076, 0x2077, 0x2078, 0x2079};
        const char16_t* digit = std::find(std::begin(kSuperDigits), std::end(kSuperDigits), u);
        if (digit != std::end(kSuperDigits) || u == 0x207B || u == 0x207A) {
            if (!superscript) out += QLatin1Char('^');
            superscript = true;
            if (u == 0x207B)
                out += QLatin1Char('-');
            else if (u == 0x207A)
                out += QLatin1Char('+');
            else
                out += QChar(u'0' + static_cast<char16_t>(digit - std::begin(kSuperDigits)));
            continue;
        }
        superscript = false;
        if (u == 0x2212 || u == 0x2013 || u == 0x2012 || u == 0x2010 || u == 0xFE63 || u == 0xFF0D)
            out += QLatin1Char('-');
        else if (u == 0x00D7 || u == 0x22C5 || u == 0x00B7 || u == 0x2219)
            out += QLatin1Char('x');
        else if (u == QLatin1Char(','))
            out += QLatin1Char('.');
        else
            out += c;
    }
    return out;
}

std::optional<double> plainNumber(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The least-squares line of the values (or their log10) over the positions, and its largest
// error relative to the values' range; nothing when the scale cannot hold the values.
struct Line {
    double a = 0, b = 0, misfit = 0;
};
std::optional<Line> lineOf(const std::vector<AxisTick>& ticks, AxisScale scale) {
    const std::size_t n = ticks.size();
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (scale == AxisScale::Log10 && !(ticks[i].value > 0)) return std::nullopt;
        y[i] = scale == AxisScale::Log10 ? std::log10(ticks[i].value) : ticks[i].value;
    }
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sx += ticks[i].position;
        sy += y[i];
        sxx += ticks[i].position * ticks[i].position;
        sxy += ticks[i].position * y[i];
    }
    const double d = static_cast<double>(n) * sxx - sx * sx;
    if (!(std::abs(d) > 0)) return std::nullopt;
    Line line;
    line.b = (static_cast<double>(n) * sxy - sx * sy) / d;
    line.a = (sy - line.b * sx) / static_cast<double>(n);
    const auto [lo, hi] = std::minmax_element(y.begin(), y.end());
    const double range = *hi - *lo;
    if (!(range > 0)) return std::nullopt;
    for (std::size_t i = 0; i < n; ++i)
        line.misfit = std::max(line.misfit, std::abs(line.a + line.b * ticks[i].position - y[i]));
    line.misfit /= range;
    return line;
}

std::optional<double> misfit(const std::vector<AxisTick>& ticks, AxisScale scale) {
    const std::optional<Line> line = lineOf(ticks, scale);
    return line ? std::optional<double>(line->misfit) : std::nullopt;
}

// Labels are printed with a few digits: a tick misplaced by more than a thousandth of the axis
// is no fit.
constexpr double kTolerance = 1e-3;

std::optional<AxisScale> scaleOf(const std::vector<AxisTick>& ticks) {
    const std::optional<double> linear = misfit(ticks, AxisScale::Linear);
    const std::optional<double> log = misfit(ticks, AxisScale::Log10);
    if (linear && *linear <= kTolerance && (!log || *linear <= *log)) return AxisScale::Linear;
    if (log && *log <= kTolerance) return AxisScale::Log10;
    return std::nullopt;
}

} // namespace

std::optional<double> tickLabelValue(const QString& text) {
    QString s = plainLabel(text);
    if (s.isEmpty()) return std::nullopt;
    // m x 10^e, 10^e
    const qsizetype caret = s.indexOf(QLatin1Char('^'));
    if (caret > 0) {
        QString base = s.left(caret);
        const std::optional<double> exponent = plainNumber(s.mid(caret + 1));
        if (!exponent || std::floor(*exponent) != *exponent) return std::nullopt;
        double mantissa = 1;
        const qsizetype times = base.lastIndexOf(QLatin1Char('x'));
        if (times >= 0) {
            const std::optional<double> m = plainNumber(base.left(times));
            if (!m) return std::nullopt;
            mantissa = *m;
            base = base.mid(times + 1);
        } else if (base.startsWith(QLatin1Char('-'))) {
            mantissa = -1;
            base = base.mid(1);
        }
        const std::optional<double> ten = plainNumber(base);
        if (!ten || *ten != 10) return std::nullopt;
        const double value = mantissa * std::pow(10.0, *exponent);
        if (!std::isfinite(value)) return std::nullopt;
        return value;
    }
    // 1e3 and plain numbers; letters other than one exponent mark are no number.
    for (const QChar c : s)
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
              c == QLatin1Char('+') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return std::nullopt;
    return plainNumber(s);
}

AxisFit fitAxis(std::vector<AxisTick> ticks) {
    AxisFit fit;
    std::sort(ticks.begin(), ticks.end(),
              [](const AxisTick& a, const AxisTick& b) { return a.position < b.position; });
    if (ticks.size() < 2) {
        fit.reason = QStringLiteral("fewer than two labelled ticks");
        return fit;
    }
    const auto accept = [&fit](const std::vector<AxisTick>& t, AxisScale scale, QString repaired) {
        fit.ok = true;
        fit.scale = scale;
        fit.ticks = t;
        fit.repaired = std::move(repaired);
        return fit;
    };
    if (const auto scale = scaleOf(ticks)) return accept(ticks, *scale, QString());
    // Minus signs lost on one side of zero: the values fall towards zero and rise again.
    for (std::size_t split = 1; split < ticks.size(); ++split)
        for (const bool before : {true, false}) {
            std::vector<AxisTick> t = ticks;
            bool changed = false;
            for (std::size_t i = 0; i < t.size(); ++i)
                if ((before ? i < split : i >= split) && t[i].value > 0) {
                    t[i].value = -t[i].value;
                    changed = true;
                }
            if (!changed) continue;
            if (misfit(t, AxisScale::Linear).value_or(1) <= kTolerance)
                return accept(t, AxisScale::Linear, QStringLiteral("lost minus signs restored"));
        }
    // One label read wrong: the others fit, and it takes the value of its place.
    if (ticks.size() >= 4)
        for (std::size_t wrong = 0; wrong < ticks.size(); ++wrong) {
            std::vector<AxisTick> rest = ticks;
            rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(wrong));
            const std::optional<AxisScale> scale = scaleOf(rest);
            if (!scale) continue;
            // The value of the wrong tick's place on the others' line.
            const Line line = *lineOf(rest, *scale);
            double value = line.a + line.b * ticks[wrong].position;
            if (*scale == AxisScale::Log10) value = std::pow(10.0, value);
            std::vector<AxisTick> t = ticks;
            t[wrong].value = value;
            return accept(t, *scale,
                          QStringLiteral("the label at %1 read as %2 taken as %3")
                              .arg(ticks[wrong].position)
                              .arg(ticks[wrong].value)
                              .arg(value));
        }
    fit.reason = QStringLiteral("the labels make neither a linear nor a logarithmic scale");
    return fit;
}

} // namespace quorvex

namespace quorvex {

namespace {

struct Segment {
    QPointF a, b;
    bool horizontal() const {
        return std::abs(a.y() - b.y()) < 1e-6 && std::abs(a.x() - b.x()) > 0;
    }
    bool vertical() const { return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) > 0; }
    double length() const { return std::hypot(b.x() - a.x(), b.y() - a.y()); }
};

std::vector<Segment> straightSegments(const VectorLayer& layer) {
    std::vector<Segment> out;
    for (const VectorPath& p : layer.paths) {
        if (!p.stroked) continue;
        QPointF last;
        for (int i = 0; i < p.path.elementCount(); ++i) {
            const QPainterPath::Element e = p.path.elementAt(i);
            const QPointF point(e.x, e.y);
            if (e.isLineTo()) out.push_back({last, point});
            if (e.isCurveTo()) {
                i += 2; // curves are no axis lines
                last = QPointF(p.path.elementAt(i).x, p.path.elementAt(i).y);
                continue;
            }
            last = point;
        }
    }
    return out;
}

// The texts with raised exponents joined: "10" followed closely by a smaller, higher box.
std::vector<VectorText> joinedTexts(const VectorLayer& layer) {
    std::vector<VectorText> texts = layer.texts;
    std::vector<VectorText> out;
    for (const VectorText& t : texts) {
        if (!out.empty()) {
            VectorText& previous = out.back();
            const bool adjacent =
                std::abs(t.box.left() - previous.box.right()) < 0.3 * previous.box.height();
            const bool raised = t.box.height() < 0.9 * previous.box.height() &&
                                t.box.top() < previous.box.top() + 0.2 * previous.box.height() &&
                                t.box.center().y() < previous.box.center().y();
            if (adjacent && raised && previous.text.endsWith(QLatin1String("10"))) {
                previous.text += QLatin1Char('^') + t.text;
                previous.box = previous.box.united(t.box);
                continue;
            }
        }
        out.push_back(t);
    }
    return out;
}

} // namespace

AxesFound findAxesInLayer(const VectorLayer& layer) {
    AxesFound found;
    const std::vector<Segment> segments = straightSegments(layer);
    const Segment* xAxis = nullptr;
    const Segment* yAxis = nullptr;
    for (const Segment& s : segments) {
        // The longest line of each direction; of equal ones the lowest and the leftmost.
        if (s.horizontal() &&
            (!xAxis || s.length() > xAxis->length() + 1e-6 ||
             (std::abs(s.length() - xAxis->length()) <= 1e-6 && s.a.y() > xAxis->a.y())))
            xAxis = &s;
        if (s.vertical() &&
            (!yAxis || s.length() > yAxis->length() + 1e-6 ||
             (std::abs(s.length() - yAxis->length()) <= 1e-6 && s.a.x() < yAxis->a.x())))
            yAxis = &s;
    }
    if (!xAxis || !yAxis) {
        found.reason = QStringLiteral("no axis lines");
        return found;
    }
    const double axisY = xAxis->a.y(), axisX = yAxis->a.x();
    const double xLo = std::min(xAxis->a.x(), xAxis->b.x()),
                 xHi = std::max(xAxis->a.x(), xAxis->b.x());
    const double yLo = std::min(yAxis->a.y(), yAxis->b.y()),
                 yHi = std::max(yAxis->a.y(), yAxis->b.y());
    // Ticks: short lines standing on an axis (one end on it), far shorter than the axis.
    std::vector<double> xTickPositions, yTickPositions;
    const auto addOnce = [](std::vector<double>& list, double v) {
        for (double w : list)
            if (std::abs(w - v) < 0.5) return;
        list.push_back(v);
    };
    for (const Segment& s : segments) {
        if (s.vertical() && s.length() < 0.1 * (xHi - xLo) &&
            (std::abs(s.a.y() - axisY) < 1 || std::abs(s.b.y() - axisY) < 1) &&
            s.a.x() >= xLo - 1 && s.a.x() <= xHi + 1)
            addOnce(xTickPositions, s.a.x());
        if (s.horizontal() && s.length() < 0.1 * (yHi - yLo) &&
            (std::abs(s.a.x() - axisX) < 1 || std::abs(s.b.x() - axisX) < 1) &&
            s.a.y() >= yLo - 1 && s.a.y() <= yHi + 1)
            addOnce(yTickPositions, s.a.y());
    }
    std::sort(xTickPositions.begin(), xTickPositions.end());
    std::sort(yTickPositions.begin(), yTickPositions.end());
    const std::vector<VectorText> texts = joinedTexts(layer);
    // Each tick's label: the nearest text on the outer side of its axis, within half the wider
    // gap to its neighbours (minor ticks stand close to labelled ones); a text labels only the
    // tick nearest to it.
    const auto labelled = [&texts](const std::vector<double>& positions, bool xAxisTicks,
                                   double axis) {
        std::vector<const VectorText*> label(positions.size(), nullptr);
        std::vector<double> distance(positions.size(), 0);
        for (std::size_t i = 0; i < positions.size(); ++i) {
            double gap = 0;
            if (i > 0) gap = std::max(gap, positions[i] - positions[i - 1]);
            if (i + 1 < positions.size()) gap = std::max(gap, positions[i + 1] - positions[i]);
            if (positions.size() == 1) gap = 1e9;
            double best = gap / 2;
            for (const VectorText& t : texts) {
                const QPointF c = t.box.center();
                const bool outside = xAxisTicks ? c.y() > axis : c.x() < axis;
                if (!outside) continue;
                const double along = std::abs((xAxisTicks ? c.x() : c.y()) - positions[i]);
                const double across = std::abs((xAxisTicks ? c.y() : c.x()) - axis);
                if (along < best && across < 4 * t.box.height()) {
                    best = along;
                    label[i] = &t;
                    distance[i] = along;
                }
            }
        }
        std::vector<AxisTick> out;
        for (std::size_t i = 0; i < positions.size(); ++i) {
            if (!label[i]) continue;
            bool nearest = true;
            for (std::size_t j = 0; j < positions.size(); ++j)
                if (j != i && label[j] == label[i] && distance[j] < distance[i]) nearest = false;
            if (!nearest) continue;
            if (const std::optional<double> value = tickLabelValue(label[i]->text))
                out.push_back({positions[i], *value});
        }
        return out;
    };
    const AxisFit xFit = fitAxis(labelled(xTickPositions, true, axisY));
    const AxisFit yFit = fitAxis(labelled(yTickPositions, false, axisX));
    if (!xFit.ok) {
        found.reason = QStringLiteral("no labels under the X axis make a scale: ") + xFit.reason;
        return found;
    }
    if (!yFit.ok) {
        found.reason = QStringLiteral("no labels beside the Y axis make a scale: ") + yFit.reason;
        return found;
    }
    // The far-apart ticks: the first and last of each axis (Y counts upwards: its last pixel is
    // the bottom).
    const AxisTick& left = xFit.ticks.front();
    const AxisTick& right = xFit.ticks.back();
    const AxisTick& bottom = yFit.ticks.back();
    const AxisTick& top = yFit.ticks.front();
    Calibration& c = found.calibration;
    c.setCorners(QPointF(left.position, bottom.position), QPointF(right.position, top.position));
    c.xLeftBottom = QString::number(left.value, 'g', 15);
    c.xRightTop = QString::number(right.value, 'g', 15);
    c.yLeftBottom = QString::number(bottom.value, 'g', 15);
    c.yRightTop = QString::number(top.value, 'g', 15);
    c.xTransfer = xFit.scale == AxisScale::Log10 ? 1 : 0;
    c.yTransfer = yFit.scale == AxisScale::Log10 ? 1 : 0;
    found.xTicks = xFit.ticks;
    found.yTicks = yFit.ticks;
    found.repaired = (xFit.repaired + QLatin1Char(' ') + yFit.repaired).trimmed();
    found.ok = true;
    return found;
}

} // namespace quorvex
