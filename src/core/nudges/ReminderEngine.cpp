#include "core/nudges/ReminderEngine.h"

#include "core/nudges/NudgeCatalogue.h"
#include "core/store/PreferenceKeys.h"

#include <algorithm>
#include <cmath>

namespace vornela {

ReminderEngine::ReminderEngine(PreferencesStore& preferences, NudgeSettings& settings,
                               HealthDataStore& health, Scheduler& scheduler, const Clock& clock,
                               const Calendar& calendar)
    : preferences_(preferences), settings_(settings), health_(health), scheduler_(scheduler), clock_(clock),
      calendar_(calendar) {}

ReminderEngine::~ReminderEngine() {
    schedulerTask_.cancel();
}

void ReminderEngine::setPaused(bool paused) {
    if (isPaused_.set(paused))
        wakeScheduler();
}

void ReminderEngine::attachViewModel(NudgePresenter* presenter) {
    overlayReports_.reset();
    presenter_ = presenter;
    settings_.migrateToGoalSyncedIntervals();
    rescheduleAll();
    if (!presenter_)
        return;
    overlayReports_ = presenter_->observeOverlayReports([this](std::optional<NudgeKindID> kind) {
        isNudgeVisible_ = kind.has_value();
        wakeScheduler();
    });
}

void ReminderEngine::detachViewModel() {
    overlayReports_.reset();
    presenter_ = nullptr;
    isNudgeVisible_ = false;
}

void ReminderEngine::startScheduling() {
    if (running_)
        return;
    running_ = true;
    ++generation_;
    postRound();
}

void ReminderEngine::stopScheduling() {
    running_ = false;
    ++generation_;
    schedulerTask_.cancel();
}

void ReminderEngine::wakeScheduler() {
    if (!running_)
        return;
    ++generation_;
    postRound();
}

void ReminderEngine::scheduleNext(NudgeKindID kind) {
    nextFireDates_[kind] = computeFireDate(definitionFor(kind), clock_.wallNow());
    wakeScheduler();
}

void ReminderEngine::rescheduleAll() {
    const double now = clock_.wallNow();
    for (const auto& definition : allDefinitions())
        nextFireDates_[definition.id] = computeFireDate(definition, now);
}

double ReminderEngine::computeFireDate(const NudgeDefinition& definition, double now) {
    if (definition.usesDailyClockTime)
        return nextLunchDate(now, true, false);
    return nextSlotDate(now, settings_.effectiveInterval(definition.id, definition.defaultInterval),
                        definition.schedulePhaseOffset);
}

double ReminderEngine::nextSlotDate(double now, double interval, double phaseOffset) const {
    if (!(interval > 0) || !std::isfinite(interval) || !std::isfinite(now))
        return now;
    const double phase = std::isfinite(phaseOffset) ? std::fmod(phaseOffset, interval) : 0;
    const double dayStart = calendar_.startOfDay(now);
    const double k = std::floor((now - dayStart) / interval);
    double candidate = dayStart + phase + k * interval;
    // A negative phase can leave the next slot behind as well; two steps always clear `now`.
    for (int step = 0; candidate <= now && step < 3; ++step)
        candidate += interval;
    return candidate;
}

double ReminderEngine::nextLunchDate(double now, bool catchUp, bool afterFiring) {
    health_.rollOverIfNeeded();
    const bool doneToday =
        health_.completedToday(NudgeKindID::launch) >= 1 || health_.shownToday(NudgeKindID::launch) >= 1;
    const int minutes = std::clamp(preferences_.read(keys::launchTimeMinutes), 0, 1439);

    // Local wall-clock time on each day, so 12:30 stays 12:30 across a clock change.
    const double startOfToday = calendar_.startOfDay(now);
    const double todayTarget = calendar_.dateAtMinutes(startOfToday, minutes).value_or(startOfToday);
    const double startOfTomorrow = calendar_.addDays(startOfToday, 1).value_or(startOfToday + 86400);
    const double tomorrowTarget = calendar_.dateAtMinutes(startOfTomorrow, minutes).value_or(startOfTomorrow);

    if (!afterFiring && !doneToday) {
        if (todayTarget > now)
            return todayTarget;
        if (catchUp)
            return now;
    }
    return tomorrowTarget;
}

std::vector<std::pair<NudgeDefinition, double>> ReminderEngine::dueNudges(double now) const {
    std::vector<std::pair<NudgeDefinition, double>> due;
    for (const auto& definition : settings_.enabledDefinitions()) {
        auto it = nextFireDates_.find(definition.id);
        if (it != nextFireDates_.end() && it->second <= now)
            due.emplace_back(definition, it->second);
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    return due;
}

double ReminderEngine::nextSleep(double now) const {
    std::optional<double> earliest;
    for (const auto& definition : settings_.enabledDefinitions()) {
        auto it = nextFireDates_.find(definition.id);
        if (it != nextFireDates_.end() && it->second > now && (!earliest || it->second < *earliest))
            earliest = it->second;
    }
    if (!earliest)
        return maxSleepInterval;
    return std::clamp(*earliest - now, 1.0, maxSleepInterval);
}

bool ReminderEngine::isBlocked() const {
    return isPaused_.get() || !preferences_.read(keys::remindersEnabled) || isNudgeVisible_ || !presenter_;
}

void ReminderEngine::round() {
    if (!running_)
        return;
    if (isBlocked()) {
        sleepThenRound(blockedRetryInterval);
        return;
    }
    const double now = clock_.wallNow();
    if (lastNudgeFireDate_) {
        // A clock set backwards makes `elapsed` negative; the cap keeps each wait at five minutes.
        const double elapsed = now - *lastNudgeFireDate_;
        if (elapsed < minimumNudgeSeparation) {
            sleepThenRound(std::min(minimumNudgeSeparation - elapsed, maxSleepInterval));
            return;
        }
    }
    const auto due = dueNudges(now);
    if (due.empty()) {
        sleepThenRound(nextSleep(now));
        return;
    }

    const unsigned long generation = generation_;
    const NudgeDefinition& first = due.front().first;
    presenter_->presentNudge(first.id, false);
    health_.recordNudgeShown(first.id);
    nextFireDates_[first.id] =
        first.usesDailyClockTime
            ? nextLunchDate(now, false, true)
            : nextSlotDate(now, settings_.effectiveInterval(first.id, first.defaultInterval),
                           first.schedulePhaseOffset);
    lastNudgeFireDate_ = now;
    for (std::size_t i = 1; i < due.size(); ++i)
        nextFireDates_[due[i].first.id] = now + static_cast<double>(i) * minimumNudgeSeparation;

    // The presenter normally reported the nudge and woke us already; that round takes over.
    if (running_ && generation == generation_)
        postRound();
}

void ReminderEngine::sleepThenRound(double seconds) {
    schedulerTask_ = scheduler_.after(ClockKind::continuous, seconds, [this] { round(); });
}

void ReminderEngine::postRound() {
    schedulerTask_ = scheduler_.post([this] { round(); });
}

} // namespace vornela
