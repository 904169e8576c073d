#include "core/numbers.h"

#include "core/messages.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace quorvex {

QChar localeDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

QString generalNumberText(double value, int precision, int exponentDigits, QChar separator) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    precision = std::clamp(precision, 1, 18);
    exponentDigits = std::clamp(exponentDigits, 0, 4);
    if (value == 0) return QStringLiteral("0");

    // Scientific notation rounds to the requested significant digits and gives the decimal
    // exponent of the rounded value, which decides the notation (9.999999999999999e14 rounds
    // up to 1E15). The text is built in a small buffer: this runs for every Table cell.
    char scientific[48];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                      std::chars_format::scientific, precision - 1);
    char digits[24];
    int digitCount = 0;
    const char* p = scientific;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.') digits[digitCount++] = *p;
    int exponent = 0;
    bool negativeExponent = false;
    for (++p; p < result.ptr; ++p) {
        if (*p == '-')
            negativeExponent = true;
        else if (*p >= '0' && *p <= '9')
            exponent = exponent * 10 + (*p - '0');
    }
    if (negativeExponent) exponent = -exponent;
    while (digitCount > 1 && digits[digitCount - 1] == '0')
        --digitCount;

    char16_t out[64];
    int n = 0;
    if (value < 0) out[n++] = u'-';
    const char16_t sep = separator.unicode();
    if (exponent >= -5 && exponent < precision) {
        if (exponent < 0) {
            out[n++] = u'0';
            out[n++] = sep;
            for (int i = 0; i < -exponent - 1; ++i)
                out[n++] = u'0';
            for (int i = 0; i < digitCount; ++i)
                out[n++] = static_cast<char16_t>(digits[i]);
        } else {
            const int integerDigits = exponent + 1;
            for (int i = 0; i < integerDigits; ++i)
                out[n++] = i < digitCount ? static_cast<char16_t>(digits[i]) : u'0';
            if (digitCount > integerDigits) {
                out[n++] = sep;
                for (int i = integerDigits; i < digitCount; ++i)
                    out[n++] = static_cast<char16_t>(digits[i]);
            }
        }
    } else {
        out[n++] = static_cast<char16_t>(digits[0]);
        if (digitCount > 1) {
            out[n++] = sep;
            for (int i = 1; i < digitCount; ++i)
                out[n++] = static_cast<char16_t>(digits[i]);
        }
        out[n++] = u'E';
        if (exponent < 0) out[n++] = u'-';
        char exponentText[8];
        const auto e =
            std::to_chars(exponentText, exponentText + sizeof exponentText, std::abs(exponent));
        const int written = static_cast<int>(e.ptr - exponentText);
        for (int i = written; i < exponentDigits; ++i)
            out[n++] = u'0';
        for (int i = 0; i < written; ++i)
            out[n++] = static_cast<char16_t>(exponentText[i]);
    }
    return QString(reinterpret_cast<const QChar*>(out), n);
}

QString NumberText(double value, QChar decimalSeparator) {
    return generalNumberText(value, 15, 0, decimalSeparator);
}

QString NumberText(double value) {
    return NumberText(value, localeDecimalSeparator());
}

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace {
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

bool tryParseDouble(std::string_view text, std::string_view separator, double& value) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    // The number rewritten for from_chars: "." as the separator, no plus sign. Table cells are
    // short; a longer text takes the slow buffer.
    char small[64];
    std::string large;
    const std::size_t room = end - begin + 1;
    char* normal = small;
    if (room > sizeof small) {
        large.resize(room);
        normal = large.data();
    }
    std::size_t n = 0, i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal[n++] = '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    while (i < end) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            normal[n++] = c;
            ++mantissaDigits;
            ++i;
        } else if (!seenSeparator && !separator.empty() &&
                   text.substr(i, separator.size()) == separator) {
            normal[n++] = '.';
            seenSeparator = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        normal[n++] = 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) normal[n++] = text[i++];
        int exponentDigits = 0;
        for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i, ++exponentDigits)
            normal[n++] = text[i];
        if (exponentDigits == 0) return false;
    }
    if (i != end) return false;
    double parsed = 0;
    const auto result = std::from_chars(normal, normal + n, parsed);
    if (result.ec != std::errc() || result.ptr != normal + n) return false;
    value = parsed;
    return true;
}

bool tryParseDouble(const QString& text, QChar separator, double& value) {
    const QByteArray bytes = text.toUtf8();
    const QByteArray separatorBytes = QString(separator).toUtf8();
    return tryParseDouble(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        std::string_view(separatorBytes.constData(),
                         static_cast<std::size_t>(separatorBytes.size())),
        value);
}

double parseDouble(const QString& text, QChar separator) {
    double value = 0;
    if (!tryParseDouble(text, separator, value))
        throw ConversionError(message(Msg::InvalidFloat).arg(text));
    return value;
}

double parseDouble(const QString& text) {
    return parseDouble(text, localeDecimalSeparator());
}

bool tryParseInt(const QString& text, int& value) {
    int i = 0;
    const int end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < end && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < end && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == end) return false;
    long long magnitude = 0;
    for (; i < end; ++i) {
        const int digit = QStringView(text).mid(i, 1).toInt(nullptr, 16);
        const QChar c = text[i];
        const bool isDigit = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             (base == 16 && ((c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                                             (c >= QLatin1Char('A') && c <= QLatin1Char('F'))));
        if (!isDigit || digit >= base) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFLL) return false;
    }
    long long result = negative ? -magnitude : magnitude;
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFLL && magnitude > 0x7FFFFFFFLL)
        result = static_cast<int>(static_cast<unsigned>(magnitude)); // $FFFFFFFF is -1
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return false;
    value = static_cast<int>(result);
    return true;
}

int parseInt(const QString& text) {
    int value = 0;
    if (!tryParseInt(text, value)) throw ConversionError(message(Msg::InvalidInteger).arg(text));
    return value;
}

QChar typedNumericKey(QChar typed, QChar decimalSeparator) {
    if (typed == QLatin1Char(',') || typed == QLatin1Char('.')) return decimalSeparator;
    return typed;
}

} // namespace quorvex
