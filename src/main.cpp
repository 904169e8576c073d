#include "app/gui/main_window.h"
#include "app/gui/prompter.h"
#include "app/gui/single_instance.h"
#include "app/gui/splash_screen.h"
#include "image/image_document.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

using namespace quorvex;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SplashScreen splash;
    splash.show();
    splash.repaint();
    QApplication::setApplicationDisplayName(bareCaption());
    if (SingleInstance::activateRunningInstance()) return 0;
    splash.advance(25);
    MainWindow form(std::make_unique<QtPrompter>(), QCoreApplication::applicationFilePath());
    SingleInstance instance([&form] { return form.bringToFront(); });
    splash.advance(50);
    splash.advance(25);
    splash.close();
    form.show();
    // A picture named on the command line opens at once.
    if (argc > 1) {
        const QString path = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        QTimer::singleShot(0, &form,
                           [&form, path] { form.openImageFile(path, readerForPath(path)); });
    }
    return app.exec();
}
