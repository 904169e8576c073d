#include "app/gui/application.h"
#include "app/gui/main_window.h"
#include "app/gui/prompter.h"
#include "app/gui/single_instance.h"
#include "app/gui/splash_screen.h"
#include "image/image_document.h"

#include <QFileInfo>
#include <QTimer>

using namespace quorvex;

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    configureApplication();
    SplashScreen splash;
    splash.show();
    splash.repaint();
    if (SingleInstance::activateRunningInstance()) return 0;
    splash.advance(25);
    MainWindow window(std::make_unique<QtPrompter>(), QCoreApplication::applicationFilePath());
    SingleInstance instance([&window] { return window.bringToFront(); });
    splash.advance(50);
    splash.advance(25);
    splash.close();
    window.show();
    // A picture named on the command line opens at once.
    if (argc > 1) {
        const QString path = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        QTimer::singleShot(0, &window,
                           [&window, path] { window.openImageFile(path, readerForPath(path)); });
    }
    return app.exec();
}
