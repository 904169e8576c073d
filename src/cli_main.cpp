// quorvex-digitize: the automatic digitization without a window.
#include "autodigit/command_line.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return quorvex::runDigitizeCommand(arguments, out, err);
}
