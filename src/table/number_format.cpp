#include "table/number_format.h"

#include "core/numbers.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorvex {

namespace {

void appendUtf8(std::string& out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void appendSeparator(std::string& out, QChar separator) {
    const char16_t c = separator.unicode();
    if (c < 0x80)
        out += static_cast<char>(c);
    else
        appendUtf8(out, QString(separator));
}

void appendGeneral(std::string& out, double value, int precision, int digits, QChar separator) {
    appendUtf8(out, generalNumberText(value, precision, std::clamp(digits, 0, 4), separator));
}

void appendScientific(std::string& out, double value, int precision, int digits, QChar separator) {
    if (value == 0) value = 0; // no "-0"
    char text[64];
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, precision - 1)
            .ptr;
    const char* e = std::find(static_cast<const char*>(text), end, 'e');
    for (const char* p = text; p < e; ++p) {
        if (*p == '.')
            appendSeparator(out, separator);
        else
            out += *p;
    }
    out += 'E';
    const char* exponent = e + 1;
    out += *exponent == '-' ? '-' : '+';
    if (*exponent == '-' || *exponent == '+') ++exponent;
    while (exponent + 1 < end && *exponent == '0')
        ++exponent; // to_chars writes at least two digits: keep only what is needed
    const int written = static_cast<int>(end - exponent);
    for (int i = written; i < std::clamp(digits, 0, 4); ++i)
        out += '0';
    out.append(exponent, static_cast<std::size_t>(written));
}

// Fixed and Number: false when the number has more integer digits than the precision allows.
bool appendFixed(std::string& out, double value, int precision, int digits, QChar separator,
                 const QString* thousands) {
    char text[400];
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits).ptr;
    const bool negative = text[0] == '-';
    const char* integer = text + (negative ? 1 : 0);
    const char* point = std::find(integer, end, '.');
    const int integerDigits = static_cast<int>(point - integer);
    if (integerDigits > precision) return false;
    // A value that rounds to zero is written without a sign.
    const bool allZero = std::all_of(integer, end, [](char c) { return c == '0' || c == '.'; });
    if (negative && !allZero) out += '-';
    for (int i = 0; i < integerDigits; ++i) {
        if (thousands && i > 0 && (integerDigits - i) % 3 == 0) appendUtf8(out, *thousands);
        out += integer[i];
    }
    if (point < end) {
        appendSeparator(out, separator);
        out.append(point + 1, static_cast<std::size_t>(end - point - 1));
    }
    return true;
}

} // namespace

NumberStyle localeNumberStyle(NumberFormat format, int precision, int digits) {
    NumberStyle style;
    style.format = format;
    style.precision = precision;
    style.digits = digits;
    style.decimalSeparator = localeDecimalSeparator();
    style.thousandSeparator = QLocale().groupSeparator();
    return style;
}

void appendFormatted(std::string& out, double value, const NumberStyle& style) {
    if (!std::isfinite(value)) {
        appendUtf8(out, generalNumberText(value, 15, 0, style.decimalSeparator));
        return;
    }
    const int precision = std::clamp(style.precision, 2, 18);
    switch (style.format) {
    case NumberFormat::General:
        appendGeneral(out, value, precision, style.digits, style.decimalSeparator);
        return;
    case NumberFormat::Scientific:
        appendScientific(out, value, precision, style.digits, style.decimalSeparator);
        return;
    case NumberFormat::Fixed:
    case NumberFormat::Number: {
        const int digits = std::clamp(style.digits, 0, 18);
        const QString* thousands =
            style.format == NumberFormat::Number ? &style.thousandSeparator : nullptr;
        if (!appendFixed(out, value, precision, digits, style.decimalSeparator, thousands))
            appendGeneral(out, value, precision, style.digits, style.decimalSeparator);
        return;
    }
    }
}

QString formatNumber(double value, const NumberStyle& style) {
    std::string out;
    appendFormatted(out, value, style);
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace quorvex
