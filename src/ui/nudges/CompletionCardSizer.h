#pragma once

#include "core/nudges/CompletionCardMeasurer.h"

namespace vornela {

// The completion card's fitting size from real font metrics: the same layout the card paints with.
class CompletionCardSizer : public CompletionCardMeasurer {
public:
    Size cardSize(const NudgeCompletionUIState& state, bool includesNudgeContext) const override;
};

} // namespace vornela
