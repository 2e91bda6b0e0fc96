#include "app/DisplayCheck.h"

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

namespace vornela {

Result<> DisplayCheck::prepare() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // Someone chose a platform on purpose (tests render offscreen): respect it.
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return {};

    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return Failure{wayland ? "this Wayland session has no XWayland (DISPLAY is not set); "
                                 "Vornela's overlay needs it"
                               : "no display: DISPLAY is not set"};
    }
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return Failure{"cannot open display " + qgetenv("DISPLAY").toStdString()};

    // Layer-shell overlays are out of Qt 6.4's reach; XWayland gives a real overlay window.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The surfaces are painted in software; not loading GL keeps tens of megabytes out of memory.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    return {};
}

} // namespace vornela
