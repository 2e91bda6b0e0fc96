#pragma once

#include <QString>

namespace vornela {

// Where the process keeps its per-session files.
struct AppPaths {
    // $XDG_RUNTIME_DIR, or a private directory under /tmp when the session has none.
    static QString runtimeDirectory();
};

} // namespace vornela
