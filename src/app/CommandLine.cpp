#include "app/CommandLine.h"

#include "core/app/BuildInfo.h"

#include <string_view>

namespace vornela {

std::optional<int> CommandLine::handleInformational(int argc, const char* const* argv, std::FILE* out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version" || arg == "-v") {
            std::fprintf(out, "Vornela %.*s\n", int(build::version.size()), build::version.data());
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::fprintf(out, "Usage: vornela [--help] [--version]\n"
                              "\n"
                              "Vornela runs in the background with no main window: a small shape at the top\n"
                              "centre of the screen that nudges you to drink water, rest your eyes, stand\n"
                              "and move, check posture and have lunch. Hover over it for the dashboard and\n"
                              "Settings. One Vornela runs per session.\n"
                              "\n"
                              "  -h, --help     print this text and exit\n"
                              "  -v, --version  print the version and exit\n");
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace vornela
