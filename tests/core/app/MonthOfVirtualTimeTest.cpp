// A month of virtual time: the whole core, built by its composition root on a manual scheduler,
// through 30 days of a seeded random user (answers, ignores, hovers, water, settings changes,
// sleeps over midnight, clock changes, the spring-forward night, flights to New York and back,
// outside edits of the preferences file), with the invariants checked after every step.
#include "core/app/VornelaCore.h"

#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCatalogue.h"
#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <string>

namespace vornela {
namespace {

using nlohmann::json;

constexpr double day = 86400;
constexpr int historyDays = 120;

class Month {
public:
    explicit Month(unsigned seed) : random_(seed) {
        // A returning user with four months of scores behind them, so the history must be trimmed.
        IntMap history;
        for (int back = 118; back >= 1; --back)
            history[w.calendar.dayKey(w.calendar.addDays(w.scheduler.wallNow(), -back).value())] = 40;
        w.preferences->write(keys::dailyBalanceHistory, history);
        w.preferences->write(keys::hasCompletedOnboarding, true);
        nudges_ = w.core->notch().nudgeReceived.connect(
            [this](const NudgeKindID& kind, const std::optional<std::string>&) { nudgePresented(kind); });
        w.launch();
    }

    // Steps until 30 days have passed on the continuous clock (which ignores clock changes).
    void live() {
        const double end = w.scheduler.continuousNow() + 30 * day;
        while (w.scheduler.continuousNow() < end) {
            act();
            w.advance(pause());
            ++steps;
            check();
            if (::testing::Test::HasFailure())
                return;
        }
    }

    int steps = 0;
    int presented = 0;
    int completed = 0;
    int waterLogs = 0;

private:
    VornelaCore& core() { return *w.core; }
    NotchViewModel& vm() { return w.core->notch(); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int hour() const { return w.calendar.components(w.scheduler.wallNow()).hour; }
    std::string where() const {
        std::ostringstream text;
        text << "step " << steps << ", " << w.calendar.dayKey(w.scheduler.wallNow()) << " " << hour() << "h";
        return text.str();
    }

    // Mostly a few minutes, now and then an hour or two with nothing happening.
    double pause() { return chance(0.1) ? between(1800, 7200) : between(1, 900); }

    void act() {
        if (const auto prompt = vm().nudgeCompletionUI.get(); prompt && chance(0.6)) {
            if (chance(0.75)) {
                followDay();
                ++doneToday_[prompt->kind];
                vm().completeNudgeFromNotch();
                ++completed;
            } else {
                vm().ignoreNudgeFromNotch();
            }
            w.scheduler.runDue();
        }
        // A pause or a switched-off engine does not last for weeks.
        if (w.engine->isPaused().get() && chance(0.1))
            core().settings().setPaused(false);
        if (!w.preferences->read(keys::remindersEnabled) && chance(0.1))
            core().settings().setRemindersEnabled(true);

        const int roll = between(0, 99);
        if (roll < 10)
            hover();
        else if (roll < 15)
            changeSetting();
        else if (roll < 18 && hour() >= 19)
            sleepOverNight();
        else if (roll < 19)
            changeClock();
        else if (roll < 20)
            editFileOutside();
        else if (roll == 20 && chance(0.2))
            fly();
        w.scheduler.runDue();
    }

    void hover() {
        auto* controller = core().notchWindowController();
        controller->pointerInsideChanged(true);
        w.advance(between(1, 30) / 10.0);
        if (chance(0.4)) {
            vm().openWaterTracking();
            w.advance(0.5);
            const int ml = between(1, 10) * 50;
            vm().selectWaterML(ml);
            vm().confirmWaterTracking();
            waterLogged_ += ml;
            ++waterLogs;
            w.advance(0.5);
        } else if (chance(0.2)) {
            vm().openActivityHeatMap();
            w.advance(between(1, 20));
            vm().closeActivityHeatMap();
        }
        controller->pointerInsideChanged(false);
    }

    void changeSetting() {
        const auto kind = allDefinitions()[static_cast<std::size_t>(between(0, 4))].id;
        auto& settings = core().settings();
        switch (between(0, 6)) {
        case 0:
            settings.setPaused(!w.engine->isPaused().get());
            break;
        case 1:
            settings.setRemindersEnabled(!w.preferences->read(keys::remindersEnabled));
            break;
        case 2:
            settings.setDisplayDuration(between(3, 20));
            break;
        case 3: {
            const auto goal = static_cast<SettingsActions::Goal>(between(0, 2));
            settings.setGoal(goal,
                             goal == SettingsActions::Goal::water ? between(2, 16) * 250 : between(1, 12));
            break;
        }
        case 4:
            settings.setNudgeEnabled(kind, !w.preferences->read(keys::nudgeEnabled(kind)));
            break;
        case 5:
            settings.setNudgeInterval(kind, 900.0 * between(1, 6));
            break;
        default:
            settings.setLunchTime(between(11 * 60, 14 * 60));
            break;
        }
    }

    // The lid closes in the evening and opens the next morning.
    void sleepOverNight() {
        const double morning =
            w.calendar
                .dateAtMinutes(w.calendar.addDays(w.scheduler.wallNow(), 1).value(), between(6 * 60, 9 * 60))
                .value();
        w.sleepFor(morning - w.scheduler.wallNow());
    }

    void changeClock() {
        static constexpr double shifts[] = {-86400, -3600, -600, 120, 900, 3600, 86400};
        w.scheduler.shiftWall(shifts[between(0, 6)]);
        core().wallClockChanged();
    }

    void fly() {
        inNewYork_ = !inNewYork_;
        setenv("TZ", inNewYork_ ? "America/New_York" : "Europe/Berlin", 1);
        w.desktop.timeZone.changed.emit();
    }

    // What a person does to the file with an editor: a goal, a time, a switch, a wrong type,
    // something unknown, a key removed. The app re-reads it as the file watcher would make it.
    void editFileOutside() {
        json file = w.backend.values();
        switch (between(0, 5)) {
        case 0:
            file["waterGoalML"] = between(1, 16) * 250;
            break;
        case 1:
            file["launchTimeMinutes"] = between(-100, 2000);
            break;
        case 2:
            file["remindersEnabled"] = chance(0.7);
            break;
        case 3:
            file["breaksGoalDaily"] = "eight";
            break;
        case 4:
            file["notes"] = {{"from", "an editor"}, {"depth", json::array({json::array({1, 2})})}};
            break;
        default:
            file.erase("nudgeInterval_water");
            break;
        }
        w.backend.setValues(std::move(file));
        core().preferences().reload();
    }

    void nudgePresented(NudgeKindID kind) {
        ++presented;
        const double now = w.scheduler.wallNow();
        EXPECT_FALSE(w.engine->isPaused().get()) << "a nudge while paused, " << where();
        EXPECT_TRUE(w.preferences->read(keys::remindersEnabled)) << "a nudge while switched off, " << where();
        EXPECT_TRUE(w.preferences->read(keys::nudgeEnabled(kind))) << "a disabled kind, " << where();
        if (lastPresented_) {
            EXPECT_GE(now - *lastPresented_, ReminderEngine::minimumNudgeSeparation - 1e-6)
                << "two nudges too close, " << where();
        }
        lastPresented_ = now;
    }

    // What the user completed since the local date last changed.
    void followDay() {
        const auto today = w.calendar.dayKey(w.scheduler.wallNow());
        if (today != doneDay_) {
            doneDay_ = today;
            doneToday_.clear();
        }
    }

    void check() {
        const auto overlay = vm().nudgeOverlay.get();
        const auto prompt = vm().nudgeCompletionUI.get();
        // One nudge on screen at most, and the engine knows whether there is one.
        EXPECT_EQ(overlay.has_value(), w.engine->isNudgeVisible()) << where();
        if (prompt) {
            EXPECT_EQ(std::optional(prompt->kind), overlay)
                << "the prompt belongs to the nudge shown, " << where();
        }

        // Today's record counts what the user did today, and nothing is below zero.
        followDay();
        auto& health = *w.health;
        EXPECT_EQ(health.trackingDayKey.get(), doneDay_) << where();
        EXPECT_EQ(health.todayBreaksCompleted.get(), doneToday_[NudgeKindID::eyeBreak]) << where();
        EXPECT_EQ(health.todayMovementCompleted.get(), doneToday_[NudgeKindID::standMove]) << where();
        EXPECT_EQ(health.todayLaunchCompleted.get(), doneToday_[NudgeKindID::launch]) << where();
        EXPECT_GE(health.todayWaterML.get(), 0) << where();
        EXPECT_LE(health.todayWaterML.get(), waterLogged_) << where();
        EXPECT_GE(health.balanceScore.get().score, 0) << where();
        EXPECT_LE(health.balanceScore.get().score, 100) << where();

        const auto& history = health.dailyBalanceHistory.get();
        EXPECT_LE(history.size(), std::size_t(historyDays + 1)) << where();
        const auto oldest =
            w.calendar.dayKey(w.calendar.addDays(w.scheduler.wallNow(), -historyDays).value());
        if (!history.empty()) {
            EXPECT_GE(history.begin()->first, oldest) << "history older than 120 days, " << where();
        }

        // The file as saved reads back as the same object.
        EXPECT_TRUE(w.backend.values().is_object()) << where();
        EXPECT_EQ(json::parse(w.backend.values().dump()), w.backend.values()) << where();
        EXPECT_LE(w.scheduler.pendingCount(), 8u) << "the task queue grows, " << where();
    }

    testing::CoreWorld w{"Europe/Berlin", 2026, 3, 16, 7, 30}; // Monday; summer time on the 29th
    std::mt19937 random_;
    Subscription nudges_;
    std::optional<double> lastPresented_;
    std::string doneDay_;
    std::map<NudgeKindID, int> doneToday_;
    int waterLogged_ = 0;
    bool inNewYork_ = false;
};

TEST(MonthOfVirtualTime, InvariantsHoldThroughThirtyDaysOfASeededUser) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Month month(seed);
        month.live();
        if (HasFailure())
            return;
        // The month was lived, not skipped: nudges came, some were answered, water was logged.
        EXPECT_GT(month.presented, 200);
        EXPECT_GT(month.completed, 20);
        EXPECT_GT(month.waterLogs, 20);
    }
}

} // namespace
} // namespace vornela
