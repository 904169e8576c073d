#pragma once

#include <QApplication>
#include <QIcon>
#include <functional>

namespace quorvex {

// The application object. It is the one place where Qt delivers every event, and it guards
// that place: an error that escapes a handler is reported as the message it carries, and the
// program, its window and the user's Table stay alive. This is the last line of defence; each
// handler still reports its own failures.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Where escaped errors go; the main window installs its message box. Without a reporter
    // they are written to the standard error stream.
    using ErrorReporter = std::function<void(const QString& text)>;
    static void setErrorReporter(ErrorReporter reporter);
    // Reports an error the way the guard does (for errors caught outside the event loop too).
    static void reportError(const QString& text);
};

// The names the program runs under. No display name is set: the window manager shows the
// window's caption exactly as the program writes it.
void configureApplication();
// The program's icon in every size it ships (the window icon and the About box).
QIcon applicationIcon();

} // namespace quorvex
