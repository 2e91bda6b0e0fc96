#pragma once

#include <QString>

namespace vornela {

// Chooses the window system before Qt starts, and says plainly when there is none: Qt would
// otherwise abort with a core dump.
struct DisplayCheck {
    // Under Wayland, the overlay needs XWayland: the xcb platform is chosen when it is there.
    // Returns an empty string when a display can be used, else the reason there is none.
    static QString prepare();
};

} // namespace vornela
