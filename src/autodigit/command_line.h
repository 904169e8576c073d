#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quorvex {

// quorvex-digitize: the automatic scan without a window. Runs with the program's arguments
// (without the program name), writes the points (X TAB Y, "." as the decimal separator) to
// `out` or the -o file, messages to `err`, and returns the exit code: 0 done, 1 the image or
// output could not be read or written, 2 bad arguments (with the usage text).
int runDigitizeCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

QString digitizeUsage();

} // namespace quorvex
