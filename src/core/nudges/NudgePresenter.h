#pragma once

#include "core/base/Signal.h"
#include "core/nudges/NudgeKindID.h"

#include <functional>
#include <optional>

namespace vornela {

// Where the reminder engine hands its nudges: the notch view model. It reports every time the
// overlay is set: when a nudge appears (kind) and when it goes away for any reason (none).
class NudgePresenter {
public:
    using OverlayCallback = std::function<void(std::optional<NudgeKindID>)>;

    virtual ~NudgePresenter() = default;
    virtual void presentNudge(NudgeKindID kind, bool force) = 0;
    [[nodiscard]] virtual Subscription observeOverlayReports(OverlayCallback callback) = 0;
};

} // namespace vornela
