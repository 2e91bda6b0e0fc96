#pragma once

#include "core/nudges/NudgeKindID.h"

#include <string>

namespace vornela {

// The completion prompt: which nudge it asks about, and the message that was shown.
struct NudgeCompletionUIState {
    NudgeKindID kind = NudgeKindID::water;
    std::string message;
    friend bool operator==(const NudgeCompletionUIState&, const NudgeCompletionUIState&) = default;
};

} // namespace vornela
