#include "app/DisplayCheck.h"

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

namespace vornela {

Result<std::string> DisplayCheck::prepare() {
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

    // A session-wide platform choice (QT_QPA_PLATFORM=wayland) would run the overlay as a native
    // Wayland client, where it can neither stay on top nor let clicks through, or abort where the
    // plugin is missing. Layer-shell overlays are out of Qt 6.4's reach.
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    std::string note;
    if (!asked.isEmpty() && asked != "xcb")
        note = "QT_QPA_PLATFORM=" + asked.toStdString() + " ignored: the overlay needs X11, using xcb";
    else if (wayland)
        note = "Wayland session: the overlay runs through XWayland (xcb)";
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The surfaces are painted in software; not loading GL keeps tens of megabytes out of memory.
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    return note;
}

} // namespace vornela
