#pragma once

#include <QChar>
#include <QString>
#include <stdexcept>
#include <string_view>

namespace quorvex {

// The decimal separator of the application's locale (QLocale's default, which tests set).
QChar localeDecimalSeparator();

// The general number format with 15 significant digits: fixed notation for 0 and for
// 1e-5 <= |v| < 1e15, otherwise a mantissa, "E", an optional "-" and the exponent
// (2 -> "2", 0.5 -> "0.5", 1e-6 -> "1E-6", 1.5e20 -> "1.5E20").
QString NumberText(double value, QChar decimalSeparator);
QString NumberText(double value);

// The same format with a chosen number of significant digits (1 to 18) and a minimum number
// of exponent digits in scientific notation (0 to 4).
QString generalNumberText(double value, int precision, int exponentDigits, QChar decimalSeparator);

// A text that does not convert. what() and message() are the standard user-facing message,
// "'%s' is not a valid floating point value" or "'%s' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message);
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Text to number with the given decimal separator only: optional blanks around, optional sign,
// digits with at most one separator, optional exponent. Returns false for anything else.
bool tryParseDouble(const QString& text, QChar decimalSeparator, double& value);
// The same on UTF-8 bytes with the separator's UTF-8 bytes (the Table's cells are stored so).
bool tryParseDouble(std::string_view utf8, std::string_view separator, double& value);
// Throws ConversionError with the standard message.
double parseDouble(const QString& text, QChar decimalSeparator);
double parseDouble(const QString& text);

// Text to a 32-bit integer: optional leading blanks, optional sign, decimal digits, or a
// hexadecimal number written "$FF" or "0xFF".
bool tryParseInt(const QString& text, int& value);
int parseInt(const QString& text);

// A "," or "." typed into a numeric field enters the locale's decimal separator; any other
// character stays as typed.
QChar typedNumericKey(QChar typed, QChar decimalSeparator);

} // namespace quorvex
