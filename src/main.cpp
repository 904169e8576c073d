#include "app/gui/application.h"
#include "app/gui/main_window.h"
#include "app/gui/prompter.h"
#include "app/gui/single_instance.h"
#include "app/gui/splash_screen.h"
#include "app/program_arguments.h"
#include "autodigit/command_line.h"
#include "exchange/workbook.h"
#include "image/image_document.h"

#include <QDir>
#include <QTimer>
#include <cstdio>

using namespace quorvex;

int main(int argc, char* argv[]) {
    // --help and --version answer before Qt needs a display (Qt's own options are still in the
    // list here; only those two answers are taken from this first reading).
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const ProgramStart::Kind early = parseProgramArguments(raw).kind;
    if (early == ProgramStart::Kind::Help) {
        std::fputs(qPrintable(programUsage()), stdout);
        return 0;
    }
    if (early == ProgramStart::Kind::Version) {
        std::printf("quorvex %s\n", kProgramVersion);
        return 0;
    }
    Application app(argc, argv);
    configureApplication();
    const ProgramStart start = parseProgramArguments(QCoreApplication::arguments().mid(1));
    if (start.kind == ProgramStart::Kind::Bad) {
        std::fprintf(stderr, "quorvex: %s\n%s", qPrintable(start.error),
                     qPrintable(programUsage()));
        return 2;
    }
    SplashScreen splash;
    splash.show();
    splash.repaint();
    if (SingleInstance::activateRunningInstance(start.image)) return 0;
    // Workbooks that earlier runs handed to a spreadsheet application are no longer read.
    removeEarlierTemporaryWorkbooks(QDir::tempPath());
    splash.advance(25);
    MainWindow window(std::make_unique<QtPrompter>(), QCoreApplication::applicationFilePath());
    SingleInstance instance(
        [&window](const QString& path) { return window.answerLaterStart(path); });
    splash.advance(50);
    splash.advance(25);
    splash.close();
    window.show();
    // A picture named on the command line opens at once.
    if (!start.image.isEmpty())
        QTimer::singleShot(0, &window, [&window, path = start.image] {
            window.openImageFile(path, readerForPath(path));
        });
    return app.exec();
}
