#pragma once

#include "core/base/Color.h"
#include "core/nudges/DotMatrixAnimation.h"
#include "core/nudges/NudgeKindID.h"

#include <string>

namespace vornela {

// The fixed description of one nudge kind. Its short notch texts live in the catalogue.
struct NudgeDefinition {
    NudgeKindID id = NudgeKindID::water;
    std::string title;
    std::string message;
    double defaultInterval = 3600;   // seconds
    double schedulePhaseOffset = 0;  // seconds
    bool usesDailyClockTime = false; // fires at a clock time each day instead of on an interval
    bool defaultEnabled = true;
    Color accentColor;
    DotMatrixAnimation animation;

    friend bool operator==(const NudgeDefinition&, const NudgeDefinition&) = default;
};

} // namespace vornela
