#pragma once

#include "core/nudges/NudgeActionBarMotion.h"
#include "core/nudges/NudgeCompletionUIState.h"

#include <cstdint>

namespace vornela {

// What one completion panel shows: the card for a prompt, and where its entry or exit motion
// stands. The desktop draws the card at progressAt(now) through NudgeActionBarMotionModifier.
struct NudgeCompletionPanelView {
    NudgeCompletionUIState state;
    bool includesNudgeContext = true;
    NudgeActionBarMotion motion = NudgeActionBarMotion::visible;
    std::uint64_t presentationID = 0;
    // Monotonic instant the motion began.
    double motionStart = 0;

    double progressAt(double monotonicNow, bool reduceMotion) const {
        return nudgeActionBarProgress(motion, monotonicNow - motionStart, reduceMotion);
    }
    // The motion restarts only when the presentation or the phase changes.
    bool sameMotion(const NudgeCompletionPanelView& other) const {
        return presentationID == other.presentationID && motion == other.motion;
    }
    friend bool operator==(const NudgeCompletionPanelView&, const NudgeCompletionPanelView&) = default;
};

} // namespace vornela
