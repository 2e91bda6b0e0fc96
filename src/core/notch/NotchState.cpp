#include "core/notch/NotchState.h"

namespace vornela {

std::string_view caseName(NotchState::Case c) {
    switch (c) {
    case NotchState::Case::nudge:
        return "nudge";
    case NotchState::Case::closed:
        return "closed";
    case NotchState::Case::hoverExpanded:
        return "hoverExpanded";
    case NotchState::Case::waterTracking:
        return "waterTracking";
    case NotchState::Case::activityHeatMap:
        return "activityHeatMap";
    }
    return "closed";
}

std::string_view caseName(LayoutTransitionKind kind) {
    switch (kind) {
    case LayoutTransitionKind::expand:
        return "expand";
    case LayoutTransitionKind::collapse:
        return "collapse";
    case LayoutTransitionKind::resize:
        return "resize";
    }
    return "resize";
}

} // namespace vornela
