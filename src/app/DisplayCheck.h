#pragma once

#include "core/base/Result.h"

#include <string>

namespace vornela {

// Chooses the window system before Qt starts, and says plainly when there is none: Qt would
// otherwise abort with a core dump.
struct DisplayCheck {
    // The overlay is an X11 window: the xcb platform is chosen whatever the session asks for
    // (under Wayland that is XWayland). The value is a line for the log when that overrides the
    // session's choice, else empty. Fails with the reason when there is no X display to use.
    static Result<std::string> prepare();
};

} // namespace vornela
