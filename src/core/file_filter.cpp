#include "core/file_filter.h"

namespace quorvex {

QString filterSuffix(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    const QString patterns =
        open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    const QString first = patterns.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (!first.startsWith(QLatin1String("*."))) return QString();
    const QString suffix = first.mid(2);
    return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

} // namespace quorvex
