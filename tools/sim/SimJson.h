#pragma once

#include "SimEmitter.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchState.h"
#include "core/notch/ScreenSource.h"
#include "core/nudges/NudgeKindID.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornela {
struct ActivityHeatMapGrid;
class Calendar;
class PanelWindow;
class VornelaCore;
} // namespace vornela

namespace vornela::sim {

// A script line the simulator cannot run.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& message);

// How the simulator writes the core's values.
OrderedJson stateFields(const NotchState& state);
OrderedJson alignmentFields(const NotchWindowAlignment& alignment);
OrderedJson optionalKind(const std::optional<NudgeKindID>& kind);
OrderedJson rectJson(const Rect& r);

// The fields of a `heatmap` line: the grid, its row labels, summary and the card's date range.
OrderedJson heatmapFields(const ActivityHeatMapGrid& grid, const Calendar& calendar, double now);

// The `screens` argument; fails with a ScriptError naming what is wrong.
std::vector<ScreenInfo> parseScreens(const nlohmann::json& value);

// The fields of a `dump` line. Before launch there is no core: only the stored preferences.
OrderedJson dumpFields(VornelaCore* core, const nlohmann::json& storedPreferences,
                       const PanelWindow* notchPanel, const SimEmitter& out);

} // namespace vornela::sim
