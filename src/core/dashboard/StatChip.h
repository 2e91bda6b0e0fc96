#pragma once

#include "core/base/Color.h"
#include "core/dashboard/DashboardSymbol.h"

#include <optional>
#include <string>

namespace vornela {

// One goal chip of the dashboard: what it is called, the day's figure and how far to the goal.
struct StatChip {
    enum class QuickAction { trackWater, markLunchDone };

    std::string label; // as named; the view writes it in upper case
    std::string value;
    double progress = 0; // 0...1
    Color progressColor;
    DashboardSymbol icon = DashboardSymbol::waterDrop;
    std::optional<QuickAction> quickAction;

    friend bool operator==(const StatChip&, const StatChip&) = default;
};

} // namespace vornela
