#pragma once

#include "core/base/Clock.h"
#include "core/base/Scheduler.h"
#include "core/nudges/NudgePresenter.h"

#include <optional>
#include <vector>

namespace vornela::testing {

// Stands in for the notch view model where only the engine is under test: it remembers every
// nudge it was handed and when, reports it as shown at once, and lets the test take it away.
class RecordingPresenter : public NudgePresenter {
public:
    struct Presentation {
        NudgeKindID kind;
        double wallTime;
        bool force;
    };

    RecordingPresenter(const Clock& clock, Scheduler& scheduler) : clock_(clock), scheduler_(scheduler) {}

    void presentNudge(NudgeKindID kind, bool force) override {
        presentations.push_back({kind, clock_.wallNow(), force});
        visible_ = kind;
        if (autoDismissAfter)
            dismissTask_ = scheduler_.after(ClockKind::monotonic, *autoDismissAfter, [this] { dismiss(); });
        if (callback_)
            callback_(kind);
    }

    void setOnNudgeOverlayChange(OverlayCallback callback) override { callback_ = std::move(callback); }

    // The nudge goes away (completed, ignored or timed out): the overlay reports none.
    void dismiss() {
        dismissTask_.cancel();
        if (!visible_)
            return;
        visible_.reset();
        if (callback_)
            callback_(std::nullopt);
    }

    std::optional<NudgeKindID> visible() const { return visible_; }
    bool hasCallback() const { return static_cast<bool>(callback_); }

    std::vector<Presentation> presentations;
    // When set, each nudge goes away on its own this many seconds after it appeared.
    std::optional<double> autoDismissAfter;

private:
    const Clock& clock_;
    Scheduler& scheduler_;
    OverlayCallback callback_;
    std::optional<NudgeKindID> visible_;
    TaskHandle dismissTask_;
};

} // namespace vornela::testing
