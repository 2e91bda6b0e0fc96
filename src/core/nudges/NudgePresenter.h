#pragma once

#include "core/nudges/NudgeKindID.h"

#include <functional>
#include <optional>

namespace vornela {

// Where the reminder engine hands its nudges: the notch view model. It reports, through the
// overlay callback, when a nudge appears (kind) and when it goes away for any reason (none).
class NudgePresenter {
public:
    using OverlayCallback = std::function<void(std::optional<NudgeKindID>)>;

    virtual ~NudgePresenter() = default;
    virtual void presentNudge(NudgeKindID kind, bool force) = 0;
    virtual void setOnNudgeOverlayChange(OverlayCallback callback) = 0;
};

} // namespace vornela
