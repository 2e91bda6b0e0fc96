#pragma once

#include <string>

namespace vornela {

// One tick of the water ruler as drawn: its step, where it stands and how it fades at the ends.
struct RulerTick {
    int step = 0;
    double x = 0; // horizontal centre, from the ruler's left edge
    bool major = false;
    double width = 0;
    double height = 0;     // already shrunk toward the ends; bars stand on a common baseline
    double opacity = 1;    // of the whole tick cell, label included
    double barOpacity = 1; // of the bar itself: majors stand out
    std::string label;     // litres above a major tick, empty for a minor one
};

} // namespace vornela
