#include "app/program_arguments.h"

#include <QFileInfo>

namespace quorvex {

ProgramStart parseProgramArguments(const QStringList& arguments) {
    ProgramStart start;
    for (const QString& a : arguments) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            start.kind = ProgramStart::Kind::Help;
            return start;
        }
        if (a == QLatin1String("--version")) {
            start.kind = ProgramStart::Kind::Version;
            return start;
        }
    }
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            start.kind = ProgramStart::Kind::Bad;
            start.error = QStringLiteral("unknown option '%1'").arg(a);
            return start;
        }
        if (!start.image.isEmpty()) {
            start.kind = ProgramStart::Kind::Bad;
            start.error = QStringLiteral("more than one image: '%1'").arg(a);
            return start;
        }
        start.image = QFileInfo(a).absoluteFilePath();
    }
    return start;
}

QString programUsage() {
    return QStringLiteral(
        "usage: quorvex [IMAGE]\n"
        "       quorvex --help | --version\n"
        "Opens the graph digitizer, with IMAGE (BMP, JPEG, PNG, ICO, WMF, EMF, GIF or TIFF) when\n"
        "one is named. A running Quorvex that shows no picture opens IMAGE instead.\n"
        "Qt's options (for example -platform offscreen) are accepted too.\n"
        "The automatic digitization without a window: quorvex-digitize --help.\n");
}

} // namespace quorvex
