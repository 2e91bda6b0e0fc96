#pragma once

#include "SimLine.h"
#include "core/base/Geometry.h"
#include "core/notch/ScreenSource.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace vornela {
class VornelaCore;
} // namespace vornela

namespace vornela::sim {

// One script command with its arguments checked and converted, before anything runs. Whether
// it may run now (after `start`, before `launch`, ...) is the world's to say.
struct SimCommand {
    enum class Name {
        start,
        pref,
        screens,
        launch,
        advance,
        sleep,
        clock,
        tz,
        pointer,
        click,
        action,
        dump,
        quit,
        firstWeekday,
        heatmap,
        grain
    };

    struct WallTime {
        int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    };

    Name name = Name::dump;
    int line = 0;
    WallTime start;                           // start
    std::string key;                          // pref: the key; tz: the zone; do: the action
    nlohmann::json value;                     // pref
    std::vector<ScreenInfo> screens;          // screens
    double seconds = 0;                       // advance, sleep, clock
    Point point;                              // pointer
    std::function<void(VornelaCore&)> action; // do: what the view calls in the core
    int number = 0;                           // firstweekday: the day; grain: dots to print
    std::uint64_t seed = 0;                   // grain
    Size canvas;                              // grain
};

// The most a single `advance` may cover: every task on the way runs, so time costs work.
inline constexpr double maximumAdvanceSeconds = 400 * 86400.0;
// A `grain` canvas side and the dots one line may print: far beyond the card, still a line.
inline constexpr double maximumGrainSide = 100000;
inline constexpr int maximumGrainDots = 10000;
// JSON arguments nested deeper than this are refused; no preference Vornela keeps comes close.
inline constexpr int maximumJsonDepth = 64;

// Parses one script line: no value for a blank or comment line, else the command. A malformed
// line throws ScriptError saying what is wrong; no other exception leaves it. Runs nothing, so
// it is the entry point for checking script text on its own.
std::optional<SimCommand> parseScriptLine(const std::string& text, int number);

} // namespace vornela::sim
