#pragma once

#include "core/base/Geometry.h"
#include "core/nudges/NudgeCompletionUIState.h"

namespace vornela {

// The fitting size of the completion card the desktop draws for a prompt, with or without the
// nudge's message row above the buttons.
class CompletionCardMeasurer {
public:
    virtual ~CompletionCardMeasurer() = default;
    virtual Size cardSize(const NudgeCompletionUIState& state, bool includesNudgeContext) const = 0;
};

} // namespace vornela
