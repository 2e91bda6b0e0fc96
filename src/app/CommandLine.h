#pragma once

#include <cstdio>
#include <optional>

namespace vornela {

// The options that only print: they must work without a display, before Qt starts.
struct CommandLine {
    // The exit status when an option was handled (its text written to `out`), else nothing and
    // the arguments go on to Qt.
    static std::optional<int> handleInformational(int argc, const char* const* argv, std::FILE* out);
};

} // namespace vornela
