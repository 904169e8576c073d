#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// The command line of the window program: `quorvex [IMAGE]`, or --help / -h, or --version.
// Qt's own options (-platform, -style, ...) are taken out by Qt before these are read.
struct ProgramStart {
    enum class Kind { Run, Help, Version, Bad };
    Kind kind = Kind::Run;
    QString image; // absolute path of the picture to open, or empty
    QString error; // for Bad: what is wrong
};

// `arguments` without the program name.
ProgramStart parseProgramArguments(const QStringList& arguments);
QString programUsage();

} // namespace quorvex
