#pragma once

#include <QChar>
#include <QString>
#include <string>

namespace quorvex {

// The four ways "Data format" writes the numbers of the Table.
enum class NumberFormat { General, Scientific, Fixed, Number };

// A number format with its Precision (significant digits, 2 to 18; other values act as the
// nearer limit) and Digits (exponent digits for General and Scientific, 0 to 4; digits after the
// decimal separator for Fixed and Number, 0 to 18), and the separators to write.
struct NumberStyle {
    NumberFormat format = NumberFormat::General;
    int precision = 10;
    int digits = 20;
    QChar decimalSeparator = QLatin1Char('.');
    QString thousandSeparator = QStringLiteral(",");
};

// The style with the application's locale's separators.
NumberStyle localeNumberStyle(NumberFormat format, int precision, int digits);

// General: NumberText with Precision digits and at least Digits exponent digits.
// Scientific: "-d.ddd...E+dd": Precision significant digits, trailing zeros kept, the exponent
// always signed. Fixed: exactly Digits digits after the separator; a number with more than
// Precision digits before it is written in General instead. Number: Fixed with the thousand
// separator between groups of three digits. Infinities and NaN are written "INF", "-INF", "NAN".
QString formatNumber(double value, const NumberStyle& style);
// The same text appended as UTF-8 (the Table's own encoding), without a QString on the way.
void appendFormatted(std::string& out, double value, const NumberStyle& style);

} // namespace quorvex
