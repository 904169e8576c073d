#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quorvex {

// quorvex-digitize: the automatic scan without a window. Runs with the program's arguments
// (without the program name), writes the points (X TAB Y, "." as the decimal separator) to
// `out` or the -o file, messages to `err`, and returns the exit code: 0 done, 1 the image or
// output could not be read or written, 2 bad arguments (with the usage text). "--help" prints the
// usage and "--version" the version on `out` and return 0. A scan that finds no point writes
// nothing and says "no points found" on `err` (exit code 0).
int runDigitizeCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

QString digitizeUsage();

// The version both programs report.
inline constexpr char kProgramVersion[] = "2.16";

} // namespace quorvex
