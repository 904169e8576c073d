#include "core/numbers.h"

#include "core/messages.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

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

    // "%.*e" rounds to the requested significant digits and gives the decimal exponent of the
    // rounded value, which decides the notation (9.999999999999999e14 rounds up to 1E15).
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, std::fabs(value));
    const std::string text(buffer);
    const auto ePos = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (text[i] != '.') digits += text[i];
    const int exponent = std::stoi(text.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    QString out;
    if (value < 0) out += QLatin1Char('-');
    const bool fixed = exponent >= -5 && exponent < precision;
    if (fixed) {
        if (exponent < 0) {
            out += QLatin1Char('0');
            out += separator;
            out += QString(-exponent - 1, QLatin1Char('0'));
            out += QString::fromLatin1(digits.c_str());
        } else {
            const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += QString::fromLatin1(digits.c_str());
                out += QString(static_cast<int>(intDigits - digits.size()), QLatin1Char('0'));
            } else {
                out += QString::fromLatin1(digits.c_str(), static_cast<int>(intDigits));
                out += separator;
                out += QString::fromLatin1(digits.c_str() + intDigits);
            }
        }
    } else {
        out += QLatin1Char(digits[0]);
        if (digits.size() > 1) {
            out += separator;
            out += QString::fromLatin1(digits.c_str() + 1);
        }
        out += QLatin1Char('E');
        if (exponent < 0) out += QLatin1Char('-');
        out += QStringLiteral("%1").arg(std::abs(exponent), exponentDigits, 10, QLatin1Char('0'));
    }
    return out;
}

QString NumberText(double value, QChar decimalSeparator) {
    return generalNumberText(value, 15, 0, decimalSeparator);
}

QString NumberText(double value) { return NumberText(value, localeDecimalSeparator()); }

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace {
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
} // namespace

bool tryParseDouble(const QString& text, QChar separator, double& value) {
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;

    std::string normal;
    int i = begin;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        normal += static_cast<char>(text[i++].unicode());
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            normal += static_cast<char>(c.unicode());
            ++mantissaDigits;
        } else if (c == separator && !seenSeparator) {
            normal += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        normal += 'e';
        ++i;
        if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            normal += static_cast<char>(text[i++].unicode());
        int exponentDigits = 0;
        for (; i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
            normal += static_cast<char>(text[i].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    if (i != end) return false;

    const char* first = normal.data();
    if (*first == '+') ++first; // from_chars takes no plus sign
    double parsed = 0;
    const auto result = std::from_chars(first, normal.data() + normal.size(), parsed);
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size()) return false;
    value = parsed;
    return true;
}

double parseDouble(const QString& text, QChar separator) {
    double value = 0;
    if (!tryParseDouble(text, separator, value))
        throw ConversionError(message(Msg::InvalidFloat).arg(text));
    return value;
}

double parseDouble(const QString& text) { return parseDouble(text, localeDecimalSeparator()); }

bool tryParseInt(const QString& text, int& value) {
    int i = 0;
    const int end = text.size();
    while (i < end && isBlank(text[i])) ++i;
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
