#include "app/gui/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace quorvex {

namespace {
std::optional<int>& overriddenHeight() {
    static std::optional<int> height;
    return height;
}
} // namespace

int primaryScreenHeight() {
    if (overriddenHeight()) return *overriddenHeight();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 768;
}

void overridePrimaryScreenHeight(std::optional<int> height) {
    overriddenHeight() = height;
}

} // namespace quorvex
