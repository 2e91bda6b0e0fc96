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
        reports_.emit(kind);
    }

    Subscription observeOverlayReports(OverlayCallback callback) override {
        return reports_.connect(std::move(callback));
    }

    // The nudge goes away (completed, ignored or timed out): the overlay reports none.
    void dismiss() {
        dismissTask_.cancel();
        if (!visible_)
            return;
        visible_.reset();
        reports_.emit(std::nullopt);
    }

    std::optional<NudgeKindID> visible() const { return visible_; }
    bool hasCallback() const { return reports_.connectionCount() > 0; }

    std::vector<Presentation> presentations;
    // When set, each nudge goes away on its own this many seconds after it appeared.
    std::optional<double> autoDismissAfter;

private:
    const Clock& clock_;
    Scheduler& scheduler_;
    Signal<std::optional<NudgeKindID>> reports_;
    std::optional<NudgeKindID> visible_;
    TaskHandle dismissTask_;
};

} // namespace vornela::testing
