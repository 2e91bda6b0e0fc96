#pragma once

#include <QPoint>
#include <QString>

#include <string>

namespace vornela {

// The desktop environment with-wm.sh started around this run, as its variables describe it.
struct WmEnvironment {
    QString name;                // VORNELA_WM: openbox, xfwm4, kwin_x11, weston, ...
    bool composited = false;     // VORNELA_WM_COMPOSITED=1: a compositing manager must run
    QString waylandDisplay;      // VORNELA_APP_WAYLAND_DISPLAY: the session's WAYLAND_DISPLAY
    QPoint compositorSurface;    // VORNELA_WM_SURFACE=x,y: a point over a compositor's own surface
    bool screenlessGrab = false; // VORNELA_NO_SCREEN=1: no display holds the picture

    static const WmEnvironment& current();
    // Waits until the window manager (and its compositor) has taken the display; the reason
    // when it never did.
    std::string waitUntilReady() const;
};

} // namespace vornela
