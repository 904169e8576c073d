#include "app/gui/application.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "image/image_error.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <new>

// The icon pictures are compiled into this static library; a static library's resources are
// registered by hand.
static void initIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace quorvex {

namespace {
Application::ErrorReporter& reporter() {
    static Application::ErrorReporter instance;
    return instance;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const ConversionError& error) {
        reportError(error.message());
    } catch (const ImageError& error) {
        reportError(error.message());
    } catch (const std::bad_alloc&) {
        reportError(message(Msg::OutOfMemory));
    } catch (const std::exception& error) {
        reportError(message(Msg::UnexpectedError).arg(QString::fromUtf8(error.what())));
    } catch (...) {
        reportError(message(Msg::UnexpectedError).arg(QStringLiteral("?")));
    }
    return false;
}

void Application::setErrorReporter(ErrorReporter r) {
    reporter() = std::move(r);
}

void Application::reportError(const QString& text) {
    if (reporter())
        reporter()(text);
    else
        std::fprintf(stderr, "quorvex: %s\n", text.toLocal8Bit().constData());
}

void configureApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("quorvex"));
    QCoreApplication::setOrganizationName(QStringLiteral("quorvex"));
    // The desktop file's name, so a desktop shell matches the windows to the menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvex.Quorvex"));
    QApplication::setWindowIcon(applicationIcon());
}

QIcon applicationIcon() {
    initIconResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/org.quorvex.Quorvex-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace quorvex
