#pragma once

#include "core/nudges/CompletionCardMeasurer.h"

namespace vornela {

// Stand-in sizes close to the real card (two buttons in 6 points of padding, plus a 15-point
// message row and 8 points of spacing), for tests and the simulator.
class FixedCompletionCardMeasurer : public CompletionCardMeasurer {
public:
    static constexpr Size actionsOnly{212, 36};
    static constexpr Size withContext{280, 64};

    Size cardSize(const NudgeCompletionUIState&, bool includesNudgeContext) const override {
        return includesNudgeContext ? withContext : actionsOnly;
    }
};

} // namespace vornela
