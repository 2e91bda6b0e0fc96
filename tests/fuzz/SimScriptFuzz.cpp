// Scripts for vornela-sim, run as the binary runs them: any script ends with status 0 or 2,
// never a crash, an uncaught exception or a hang.
#include "SimLine.h"
#include "SimScript.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <ostream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

namespace {

// Seconds of virtual time the script moves the clocks by. While a nudge waits the engine looks
// again every 5 s, so a month takes seconds under the sanitizers. Long spans are the soak test's
// and the bad-input scripts'; scripts here stay within a week.
double clockMoves(const std::string& script) {
    std::istringstream lines(script);
    std::string text;
    double seconds = 0;
    while (std::getline(lines, text)) {
        const auto line = vornela::sim::SimLine::parse(text, 0);
        if (!line || line->words.size() != 1)
            continue;
        if (line->command == "advance" || line->command == "sleep" || line->command == "clock")
            seconds += std::fabs(std::strtod(line->words[0].c_str(), nullptr));
    }
    return seconds;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The goldens' zone, so a reproducer behaves here as under ctest.
    ::setenv("TZ", "Europe/Berlin", 1);
    ::setenv("LC_ALL", "C", 1);
    ::tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Replayed regression inputs run whatever their span: a refused huge move must stay refused.
    static const bool replay = std::getenv("VORNELA_FUZZ_REPLAY") != nullptr;
    if (!replay && !(clockMoves(text) <= 7 * 86400))
        return -1;
    std::istringstream script(text);
    // Output is formatted as usual and dropped.
    std::ostream out(nullptr);
    std::ostream errors(nullptr);
    int status = 0;
    try {
        status = vornela::sim::runScript(script, out, errors);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vornela-sim: uncaught exception: %s\n", error.what());
        std::abort();
    }
    if (status != 0 && status != 2)
        std::abort();
    return 0;
}
