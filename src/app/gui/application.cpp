#include "app/gui/application.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "image/image_error.h"

#include <cstdio>
#include <new>

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
}

} // namespace quorvex
