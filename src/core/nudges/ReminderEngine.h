#pragma once

#include "core/base/Calendar.h"
#include "core/base/Clock.h"
#include "core/base/Observable.h"
#include "core/base/Scheduler.h"
#include "core/nudges/NudgeDefinition.h"
#include "core/nudges/NudgePresenter.h"
#include "core/nudges/NudgeRescheduler.h"
#include "core/nudges/NudgeSettings.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferencesStore.h"

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vornela {

// Decides when each kind is due and hands due nudges, one at a time and at least three minutes
// apart, to the presenter. One loop sleeps on the continuous clock (time in suspend counts)
// until the next fire date, never longer than five minutes, five seconds while blocked.
class ReminderEngine : public NudgeRescheduler {
public:
    static constexpr double minimumNudgeSeparation = 180;
    static constexpr double maxSleepInterval = 300;
    static constexpr double blockedRetryInterval = 5;

    ReminderEngine(PreferencesStore& preferences, NudgeSettings& settings, HealthDataStore& health,
                   Scheduler& scheduler, const Clock& clock, const Calendar& calendar);
    ~ReminderEngine() override;
    ReminderEngine(const ReminderEngine&) = delete;
    ReminderEngine& operator=(const ReminderEngine&) = delete;

    // Paused for this run only (not stored).
    const Observable<bool>& isPaused() const { return isPaused_; }
    [[nodiscard]] Subscription observePaused(std::function<void(const bool&)> observer) {
        return isPaused_.observe(std::move(observer));
    }

    void setPaused(bool paused);

    void attachViewModel(NudgePresenter* presenter);
    void detachViewModel();
    void startScheduling();
    void stopScheduling();
    void wakeScheduler();
    bool isScheduling() const { return running_; }

    void scheduleNext(NudgeKindID kind) override;
    void rescheduleAll();

    const std::map<NudgeKindID, double>& nextFireDates() const { return nextFireDates_; }
    bool isNudgeVisible() const { return isNudgeVisible_; }
    std::optional<double> lastNudgeFireDate() const { return lastNudgeFireDate_; }

    // The next slot strictly after `now` on the day's grid: start of day + phase + whole intervals.
    double nextSlotDate(double now, double interval, double phaseOffset) const;
    double nextLunchDate(double now, bool catchUp, bool afterFiring);
    std::vector<std::pair<NudgeDefinition, double>> dueNudges(double now) const;
    double nextSleep(double now) const;

private:
    void round();
    void sleepThenRound(double seconds);
    void postRound();
    bool isBlocked() const;
    double computeFireDate(const NudgeDefinition& definition, double now);

    PreferencesStore& preferences_;
    NudgeSettings& settings_;
    HealthDataStore& health_;
    Scheduler& scheduler_;
    const Clock& clock_;
    const Calendar& calendar_;
    Observable<bool> isPaused_{false};
    NudgePresenter* presenter_ = nullptr;
    // The pending round or sleep. A wake replaces it; the generation tells a round that is still
    // running when it was replaced not to schedule a successor of its own.
    TaskHandle schedulerTask_;
    bool running_ = false;
    unsigned long generation_ = 0;
    std::map<NudgeKindID, double> nextFireDates_;
    bool isNudgeVisible_ = false;
    std::optional<double> lastNudgeFireDate_;
    // Ends with the engine, so a presenter that outlives it reports to nobody.
    Subscription overlayReports_;
};

} // namespace vornela
