#pragma once

#include "core/nudges/NudgeKindID.h"

#include <string_view>

namespace vornela {

// What the notch shows. The three open states cover the notch with a larger surface.
struct NotchState {
    enum class Case { nudge, closed, hoverExpanded, waterTracking, activityHeatMap };

    Case kind = Case::closed;
    NudgeKindID nudgeKind = NudgeKindID::water; // meaningful for `nudge` only

    static NotchState closed() { return {}; }
    static NotchState nudge(NudgeKindID kind) { return {Case::nudge, kind}; }
    static NotchState hoverExpanded() { return {Case::hoverExpanded}; }
    static NotchState waterTracking() { return {Case::waterTracking}; }
    static NotchState activityHeatMap() { return {Case::activityHeatMap}; }

    bool isOpen() const {
        return kind == Case::hoverExpanded || kind == Case::waterTracking || kind == Case::activityHeatMap;
    }
    // The ruler and the heat map: open states the user went to on purpose, which a nudge does
    // not cover and a brief exit does not close.
    bool isWaterOrHeatMap() const { return kind == Case::waterTracking || kind == Case::activityHeatMap; }
    bool is(Case c) const { return kind == c; }

    friend bool operator==(const NotchState& a, const NotchState& b) {
        return a.kind == b.kind && (a.kind != Case::nudge || a.nudgeKind == b.nudgeKind);
    }
};

std::string_view caseName(NotchState::Case c);

// The kind of a panel resize; it fixes the duration and whether content fades in or out.
enum class LayoutTransitionKind { expand, collapse, resize };

std::string_view caseName(LayoutTransitionKind kind);

} // namespace vornela
