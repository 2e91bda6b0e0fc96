#include "core/nudges/ReminderEngine.h"

#include "core/store/PreferenceKeys.h"
#include "support/CoreWorld.h"
#include "support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace vornela {
namespace {

using testing::CoreWorld;
using testing::RecordingPresenter;
using K = NudgeKindID;

// Passes everything to the world's scheduler and remembers how often and how long the engine
// asked to sleep.
class CountingScheduler : public Scheduler {
public:
    explicit CountingScheduler(Scheduler& inner) : inner_(inner) {}
    TaskHandle post(std::function<void()> task) override {
        ++posts;
        return inner_.post(std::move(task));
    }
    TaskHandle after(ClockKind clock, double delay, std::function<void()> task) override {
        sleeps.push_back(delay);
        clocks.push_back(clock);
        return inner_.after(clock, delay, std::move(task));
    }
    TaskHandle at(ClockKind clock, double deadline, std::function<void()> task) override {
        return inner_.at(clock, deadline, std::move(task));
    }
    std::size_t rounds() const { return posts + sleeps.size(); }

    std::size_t posts = 0;
    std::vector<double> sleeps;
    std::vector<ClockKind> clocks;

private:
    Scheduler& inner_;
};

// A Tuesday in Berlin, 09:00. With every kind on its default interval the first fire dates are
// posture 09:15, stand 09:30, water 09:45, eye break 10:30 and lunch 12:30.
class ReminderEngineTest : public ::testing::Test {
protected:
    explicit ReminderEngineTest(int y = 2026, int mo = 3, int d = 10, int h = 9, int mi = 0)
        : world(std::make_unique<CoreWorld>("Europe/Berlin", y, mo, d, h, mi)), counting(world->scheduler),
          engine(std::make_unique<ReminderEngine>(*world->preferences, *world->settings, *world->health,
                                                  counting, world->scheduler, world->calendar)),
          presenter(world->scheduler, world->scheduler) {
        world->settings->setRescheduler(engine.get());
    }

    void onlyEnable(std::initializer_list<K> kinds) {
        for (auto kind : allNudgeKinds)
            world->settings->setKindEnabled(kind, std::find(kinds.begin(), kinds.end(), kind) != kinds.end());
    }
    void start() {
        engine->attachViewModel(&presenter);
        engine->startScheduling();
        world->scheduler.runDue();
    }
    double now() const { return world->scheduler.wallNow(); }
    // Local clock time on the current day, optionally with seconds.
    double at(int h, int mi, double s = 0) const { return world->at(h, mi) + s; }
    void advanceTo(double wall) { world->scheduler.advance(wall - now()); }
    std::vector<K> presentedKinds() const {
        std::vector<K> kinds;
        for (const auto& p : presenter.presentations)
            kinds.push_back(p.kind);
        return kinds;
    }
    double fireDate(K kind) const { return engine->nextFireDates().at(kind); }

    std::unique_ptr<CoreWorld> world;
    CountingScheduler counting;
    std::unique_ptr<ReminderEngine> engine;
    RecordingPresenter presenter;
};

class ReminderEngineAfternoonTest : public ReminderEngineTest {
protected:
    ReminderEngineAfternoonTest() : ReminderEngineTest(2026, 3, 10, 14, 0) {}
};

TEST_F(ReminderEngineTest, SlotsLieOnTheDaysGridStrictlyAfterNow) {
    const auto& water = definitionFor(K::water);
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(10, 0), water.defaultInterval, water.schedulePhaseOffset),
                     at(11, 15));
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(10, 0), 2700, 900), at(10, 45));
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(9, 59), 2700, 900), at(10, 0));
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(10, 0), 0, 900), at(10, 0));
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(10, 0), -60, 900), at(10, 0));
    // A phase beyond the interval wraps; a negative one still gives a date after now.
    EXPECT_DOUBLE_EQ(engine->nextSlotDate(at(10, 0), 2700, 900 + 2 * 2700), at(10, 45));
    EXPECT_GT(engine->nextSlotDate(at(10, 44, 50), 2700, -20), at(10, 44, 50));

    engine->attachViewModel(&presenter);
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(9, 15));
    EXPECT_DOUBLE_EQ(fireDate(K::standMove), at(9, 30));
    EXPECT_DOUBLE_EQ(fireDate(K::water), at(9, 45));
    EXPECT_DOUBLE_EQ(fireDate(K::eyeBreak), at(10, 30));
    EXPECT_DOUBLE_EQ(fireDate(K::launch), at(12, 30));
}

TEST_F(ReminderEngineTest, DueNudgesAndSleepsFollowEnabledKindsOnly) {
    engine->attachViewModel(&presenter);
    auto due = engine->dueNudges(at(9, 40));
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].first.id, K::postureCheck);
    EXPECT_EQ(due[1].first.id, K::standMove);
    EXPECT_DOUBLE_EQ(engine->nextSleep(at(9, 44)), 60);
    EXPECT_DOUBLE_EQ(engine->nextSleep(at(9, 44, 59.5)), 1);
    EXPECT_DOUBLE_EQ(engine->nextSleep(at(9, 0)), ReminderEngine::maxSleepInterval);

    // A disabled kind keeps its date but neither is due nor shortens a sleep.
    world->settings->setKindEnabled(K::postureCheck, false);
    EXPECT_EQ(engine->dueNudges(at(9, 20)).size(), 0u);
    EXPECT_DOUBLE_EQ(engine->nextSleep(at(9, 14)), ReminderEngine::maxSleepInterval);
    EXPECT_EQ(engine->nextFireDates().count(K::postureCheck), 1u);

    onlyEnable({});
    EXPECT_DOUBLE_EQ(engine->nextSleep(at(9, 0)), ReminderEngine::maxSleepInterval);
}

// Posture and lunch fall due at 09:15 together: catalogue order, the second three minutes after
// the first appeared (not after it went away, six seconds later).
TEST_F(ReminderEngineTest, KindsDueTogetherComeInCatalogueOrderThreeMinutesApart) {
    onlyEnable({K::postureCheck, K::launch});
    world->preferences->write(keys::launchTimeMinutes, 9 * 60 + 15);
    presenter.autoDismissAfter = 6;
    start();
    ASSERT_DOUBLE_EQ(fireDate(K::postureCheck), fireDate(K::launch));

    advanceTo(at(9, 25));
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck, K::launch}));
    EXPECT_NEAR(presenter.presentations[0].wallTime, at(9, 15), 1e-6);
    EXPECT_NEAR(presenter.presentations[1].wallTime, at(9, 18), 1e-6);
    EXPECT_FALSE(presenter.presentations[0].force);
    EXPECT_NEAR(*engine->lastNudgeFireDate(), at(9, 18), 1e-6);
    // Lunch was shown, so it moves to tomorrow; posture continues on its grid.
    EXPECT_DOUBLE_EQ(fireDate(K::launch), world->calendar.date(2026, 3, 11, 9, 15).value());
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(10, 0));
    EXPECT_EQ(world->health->shownToday(K::launch), 1);
    EXPECT_EQ(world->health->shownToday(K::postureCheck), 1);
}

TEST_F(ReminderEngineTest, OverdueKindsAfterAWakeComeOneAtATime) {
    onlyEnable({K::water, K::standMove, K::postureCheck});
    start();
    world->sleepFor(2 * 3600); // wakes at 11:00 with posture, stand and water all overdue
    const double woke = now();

    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck}));
    EXPECT_DOUBLE_EQ(presenter.presentations[0].wallTime, woke);
    EXPECT_DOUBLE_EQ(fireDate(K::standMove), woke + 180);
    EXPECT_DOUBLE_EQ(fireDate(K::water), woke + 360);

    // Gone after a minute: the next still waits for the three minutes.
    world->scheduler.advance(60);
    presenter.dismiss();
    world->scheduler.advance(119);
    EXPECT_EQ(presenter.presentations.size(), 1u);
    world->scheduler.advance(1);
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck, K::standMove}));
    EXPECT_NEAR(presenter.presentations[1].wallTime, woke + 180, 1e-6);

    // Still on screen when the third falls due: it follows the moment this one goes away.
    world->scheduler.advance(400);
    EXPECT_EQ(presenter.presentations.size(), 2u);
    presenter.dismiss();
    world->scheduler.runDue();
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck, K::standMove, K::water}));
    EXPECT_NEAR(presenter.presentations[2].wallTime, woke + 580, 1e-6);
}

TEST_F(ReminderEngineTest, PauseAndSwitchOffHoldNudgesUntilLifted) {
    onlyEnable({K::postureCheck});
    start();
    engine->setPaused(true);
    world->scheduler.runDue();
    const auto rounds = counting.rounds();
    engine->setPaused(true); // no change, no restart
    world->scheduler.runDue();
    EXPECT_EQ(counting.rounds(), rounds);
    advanceTo(at(9, 20));
    EXPECT_TRUE(presenter.presentations.empty());
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(9, 15)); // blocked dates stay put

    engine->setPaused(false);
    world->scheduler.runDue();
    ASSERT_EQ(presenter.presentations.size(), 1u);
    EXPECT_DOUBLE_EQ(presenter.presentations[0].wallTime, at(9, 20));
    presenter.dismiss();

    // Switching reminders off is not signalled: the loop notices within one blocked poll.
    world->preferences->write(keys::remindersEnabled, false);
    advanceTo(at(10, 10));
    EXPECT_EQ(presenter.presentations.size(), 1u);
    world->preferences->write(keys::remindersEnabled, true);
    world->scheduler.advance(ReminderEngine::blockedRetryInterval);
    ASSERT_EQ(presenter.presentations.size(), 2u);
    EXPECT_GT(presenter.presentations[1].wallTime, at(10, 10));
    EXPECT_LE(presenter.presentations[1].wallTime, at(10, 10, ReminderEngine::blockedRetryInterval));
}

TEST_F(ReminderEngineTest, IntervalChangesRescheduleThroughTheSettings) {
    onlyEnable({K::eyeBreak});
    start();
    world->health->setBreaksGoal(12); // ten hours over twelve breaks snaps to 45 minutes
    EXPECT_DOUBLE_EQ(fireDate(K::eyeBreak), at(9, 45));
    advanceTo(at(9, 50));
    EXPECT_EQ(presentedKinds(), (std::vector<K>{K::eyeBreak}));
}

TEST_F(ReminderEngineTest, StoppedLoopPresentsNothingAndCanStartAgain) {
    onlyEnable({K::postureCheck});
    start();
    engine->stopScheduling();
    EXPECT_FALSE(engine->isScheduling());
    const auto rounds = counting.rounds();
    advanceTo(at(9, 30));
    EXPECT_TRUE(presenter.presentations.empty());
    EXPECT_EQ(counting.rounds(), rounds);

    engine->startScheduling();
    engine->startScheduling();
    world->scheduler.runDue();
    EXPECT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck}));

    // Without a view model nothing is presented.
    presenter.dismiss();
    engine->detachViewModel();
    EXPECT_FALSE(presenter.hasCallback());
    advanceTo(at(11, 0));
    EXPECT_EQ(presenter.presentations.size(), 1u);
}

TEST_F(ReminderEngineTest, PresenterOutlivingTheEngineIsHarmless) {
    presenter.autoDismissAfter = 6;
    onlyEnable({K::postureCheck});
    start();
    advanceTo(at(9, 15));
    world->settings->setRescheduler(nullptr);
    engine.reset();
    world->scheduler.advance(600); // the dismissal reports to an engine that is gone
    EXPECT_EQ(presenter.presentations.size(), 1u);
}

TEST_F(ReminderEngineAfternoonTest, LunchIsCaughtUpOnceThenWaitsForTomorrow) {
    EXPECT_DOUBLE_EQ(engine->nextLunchDate(at(11, 0), true, false), at(12, 30));
    EXPECT_DOUBLE_EQ(engine->nextLunchDate(now(), false, false),
                     world->calendar.date(2026, 3, 11, 12, 30).value());
    // Started at 14:00 with no lunch shown today: due at once, then tomorrow.
    start();
    ASSERT_FALSE(presenter.presentations.empty());
    EXPECT_EQ(presenter.presentations[0].kind, K::launch);
    EXPECT_DOUBLE_EQ(presenter.presentations[0].wallTime, at(14, 0));
    const double tomorrow = world->calendar.date(2026, 3, 11, 12, 30).value();
    EXPECT_DOUBLE_EQ(fireDate(K::launch), tomorrow);
    EXPECT_DOUBLE_EQ(engine->nextLunchDate(now(), true, false), tomorrow);
}

TEST_F(ReminderEngineTest, LunchCompletedFromTheDashboardMovesToTomorrow) {
    world->preferences->write(keys::launchTimeMinutes, -30); // read as midnight
    EXPECT_DOUBLE_EQ(engine->nextLunchDate(now(), false, false), world->calendar.date(2026, 3, 11).value());
    world->preferences->write(keys::launchTimeMinutes, 2000);
    EXPECT_DOUBLE_EQ(engine->nextLunchDate(now(), true, false), at(23, 59));
    world->preferences->write(keys::launchTimeMinutes, 750);
    world->health->recordCompletion(K::launch);
    engine->scheduleNext(K::launch);
    EXPECT_DOUBLE_EQ(fireDate(K::launch), world->calendar.date(2026, 3, 11, 12, 30).value());
}

TEST(ReminderEngineLunchTest, LunchKeepsItsLocalTimeAcrossTheSpringClockChange) {
    // Saturday 28 March 2026; Berlin moves its clocks from 02:00 to 03:00 that night.
    CoreWorld world("Europe/Berlin", 2026, 3, 28, 14, 0);
    ReminderEngine engine(*world.preferences, *world.settings, *world.health, world.scheduler,
                          world.scheduler, world.calendar);
    const auto local = [&](double date) { return world.calendar.components(date); };

    auto next = local(engine.nextLunchDate(world.scheduler.wallNow(), false, true));
    EXPECT_EQ(next.day, 29);
    EXPECT_EQ(next.hour, 12);
    EXPECT_EQ(next.minute, 30);

    // 02:30 does not exist that night: it moves forward by the gap.
    world.preferences->write(keys::launchTimeMinutes, 150);
    next = local(engine.nextLunchDate(world.scheduler.wallNow(), false, true));
    EXPECT_EQ(next.day, 29);
    EXPECT_EQ(next.hour, 3);
    EXPECT_EQ(next.minute, 30);
}

TEST_F(ReminderEngineTest, ClockSetBackwardsHoldsTheSeparationInFiveMinuteSteps) {
    onlyEnable({K::standMove, K::postureCheck});
    presenter.autoDismissAfter = 6;
    start();
    advanceTo(at(9, 15, 6));
    ASSERT_EQ(presenter.presentations.size(), 1u);

    world->scheduler.shiftWall(-3600); // 08:15:06
    engine->wakeScheduler();
    world->scheduler.runDue();
    advanceTo(at(9, 29, 59));
    EXPECT_EQ(presenter.presentations.size(), 1u);
    advanceTo(at(9, 31));
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck, K::standMove}));
    EXPECT_NEAR(presenter.presentations[1].wallTime, at(9, 30), 1e-6);
    EXPECT_LE(*std::max_element(counting.sleeps.begin(), counting.sleeps.end()),
              ReminderEngine::maxSleepInterval);
}

TEST_F(ReminderEngineTest, ClockSetForwardsShowsOverdueKindsOnceAndSkipsMissedSlots) {
    onlyEnable({K::water, K::postureCheck});
    presenter.autoDismissAfter = 6;
    start();
    world->scheduler.shiftWall(3 * 3600); // 12:00
    engine->wakeScheduler();
    world->scheduler.runDue();
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck}));
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(12, 15));

    advanceTo(at(12, 14));
    EXPECT_EQ(presentedKinds(), (std::vector<K>{K::postureCheck, K::water}));
    EXPECT_DOUBLE_EQ(fireDate(K::water), at(12, 45));
}

TEST_F(ReminderEngineTest, SleepOverMidnightRestartsTheGridWithoutReplayingTheNight) {
    onlyEnable({K::water, K::postureCheck});
    presenter.autoDismissAfter = 6;
    advanceTo(at(23, 0));
    start();
    EXPECT_DOUBLE_EQ(fireDate(K::water), at(23, 15));
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(23, 30));

    world->sleepFor(8 * 3600 + 10 * 60); // 07:10 on Wednesday
    EXPECT_EQ(world->calendar.components(now()).day, 11);
    advanceTo(at(7, 44));
    ASSERT_EQ(presentedKinds(), (std::vector<K>{K::water, K::postureCheck}));
    EXPECT_DOUBLE_EQ(presenter.presentations[0].wallTime, at(7, 10));
    EXPECT_NEAR(presenter.presentations[1].wallTime, at(7, 13), 1e-6);
    EXPECT_DOUBLE_EQ(fireDate(K::water), at(8, 15));
    EXPECT_DOUBLE_EQ(fireDate(K::postureCheck), at(7, 45));
}

TEST_F(ReminderEngineTest, IdleLoopSleepsOnTheContinuousClockAtMostFiveMinutes) {
    onlyEnable({K::launch}); // next due at 12:30
    start();
    const auto before = counting.rounds();
    world->scheduler.advance(3600);
    EXPECT_LE(counting.rounds() - before, 12u);
    EXPECT_TRUE(presenter.presentations.empty());
    for (double s : counting.sleeps) {
        EXPECT_GE(s, 1);
        EXPECT_LE(s, ReminderEngine::maxSleepInterval);
    }
    for (auto clock : counting.clocks)
        EXPECT_EQ(clock, ClockKind::continuous);

    // A visible nudge is polled every five seconds, not more often.
    onlyEnable({K::postureCheck});
    engine->scheduleNext(K::postureCheck);
    advanceTo(at(11, 0));
    ASSERT_EQ(presenter.presentations.size(), 1u);
    const auto visibleFrom = counting.rounds();
    world->scheduler.advance(60);
    EXPECT_LE(counting.rounds() - visibleFrom, 12u);
}

} // namespace
} // namespace vornela
