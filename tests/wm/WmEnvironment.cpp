#include "WmEnvironment.h"

#include "support/X11Probe.h"

#include <QStringList>

namespace vornela {

const WmEnvironment& WmEnvironment::current() {
    static const WmEnvironment environment = [] {
        WmEnvironment e;
        e.name = qEnvironmentVariable("VORNELA_WM", QStringLiteral("none"));
        e.composited = qEnvironmentVariable("VORNELA_WM_COMPOSITED") == QLatin1String("1");
        e.waylandDisplay = qEnvironmentVariable("VORNELA_APP_WAYLAND_DISPLAY");
        const QStringList surface = qEnvironmentVariable("VORNELA_WM_SURFACE").split(QLatin1Char(','));
        if (surface.size() == 2)
            e.compositorSurface = QPoint(surface[0].toInt(), surface[1].toInt());
        e.screenlessGrab = qEnvironmentVariable("VORNELA_NO_SCREEN") == QLatin1String("1");
        return e;
    }();
    return environment;
}

std::string WmEnvironment::waitUntilReady() const {
    X11Probe probe;
    if (!probe.isConnected())
        return "cannot open the X display";
    const bool managed = X11Probe::waitUntil(
        [&] {
            return probe.cardinalProperty(probe.root(), "_NET_SUPPORTING_WM_CHECK").has_value() ||
                   probe.atomListProperty(probe.root(), "_NET_SUPPORTED").has_value();
        },
        60);
    if (!managed)
        return "no window manager took the display within 60 s";
    if (composited && !X11Probe::waitUntil([&] { return probe.selectionOwner("_NET_WM_CM_S0") != 0; }, 60))
        return "no compositing manager owns _NET_WM_CM_S0 within 60 s";
    // Let it finish what it does at start (panels, desktops) before the first window maps.
    X11Probe::waitUntil([] { return false; }, 1);
    return {};
}

} // namespace vornela
