#include "platform/system/QtApplicationHost.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace vornela {

namespace {
// Overlay panels never take focus; activating one would steal the keyboard for nothing.
bool canActivate(Qt::WindowFlags flags) {
    return !flags.testFlag(Qt::WindowDoesNotAcceptFocus);
}
} // namespace

void QtApplicationHost::activate() {
    QWidget* widget = QApplication::activeWindow();
    if (!widget) {
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget* candidate : widgets) {
            if (candidate->isVisible() && candidate->isWindow() && canActivate(candidate->windowFlags())) {
                widget = candidate;
                break;
            }
        }
    }
    if (widget) {
        widget->raise();
        widget->activateWindow();
        return;
    }
    // Windows that are not widgets (none today, but cheap to cover).
    const auto windows = QGuiApplication::topLevelWindows();
    for (QWindow* window : windows) {
        if (window->isVisible() && canActivate(window->flags())) {
            window->raise();
            window->requestActivate();
            return;
        }
    }
}

void QtApplicationHost::terminate() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace vornela
