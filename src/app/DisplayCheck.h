#pragma once

#include "core/base/Result.h"

namespace vornela {

// Chooses the window system before Qt starts, and says plainly when there is none: Qt would
// otherwise abort with a core dump.
struct DisplayCheck {
    // Under Wayland, the overlay needs XWayland: the xcb platform is chosen when it is there.
    // Fails with the reason when there is no display to use.
    static Result<> prepare();
};

} // namespace vornela
