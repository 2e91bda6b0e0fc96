#include "core/store/PreferencesStore.h"
#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferenceKeys.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vornela {
namespace {

using nlohmann::json;

struct PreferencesStoreTest : ::testing::Test {
    ManualScheduler scheduler{1'000'000};
    InMemoryPreferencesBackend backend;
};

TEST_F(PreferencesStoreTest, FreshStoreReadsTheDefaults) {
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::missing);
    EXPECT_EQ(store.read(keys::waterGoalML), 2000);
    EXPECT_TRUE(store.read(keys::nudgeEnabled(NudgeKindID::launch)));
    EXPECT_EQ(store.rawValue("nudgeDisplayDuration"), json(6.0)) << "defaults are visible to raw readers";
    EXPECT_TRUE(store.rawValue("noSuchKey").is_null());
    EXPECT_FALSE(store.hasPendingChanges());
    EXPECT_TRUE(store.flush()) << "nothing to save is no failure";
}

// Integers are taken whole from any JSON number kind up to the ends of int, and nothing beyond.
TEST_F(PreferencesStoreTest, IllTypedValuesReadAsTheDefault) {
    constexpr int lo = std::numeric_limits<int>::min();
    constexpr int hi = std::numeric_limits<int>::max();
    backend.setValues({{"waterGoalML", "lots"},
                       {"breaksGoalDaily", 6.5},
                       {"remindersEnabled", 1},
                       {"movementGoalDaily", 6.0},
                       {"launchTimeMinutes", lo - 1LL},
                       {"waterIntakeML", unsigned(hi) + 1u},
                       {"nudgeShown_eyeBreak", hi + 1.0},
                       {"nudgeCompletions_eyeBreak", lo - 1.0},
                       {"nudgeDisplayDuration", 9},
                       {"actionTimestamps", {1, "2"}},
                       {"dailyBalanceHistory",
                        {{"a", lo}, {"b", hi}, {"c", unsigned(hi)}, {"d", 1.0 * lo}, {"e", 1.0 * hi}}}});
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.read(keys::waterGoalML), 2000);
    EXPECT_EQ(store.read(keys::breaksGoalDaily), 6);
    EXPECT_TRUE(store.read(keys::remindersEnabled));
    EXPECT_EQ(store.read(keys::movementGoalDaily), 6);
    EXPECT_EQ(store.read(keys::launchTimeMinutes), 750);
    EXPECT_EQ(store.read(keys::waterIntakeML), 0);
    EXPECT_EQ(store.read(keys::nudgeShown(NudgeKindID::eyeBreak)), 0);
    EXPECT_EQ(store.read(keys::nudgeCompletions(NudgeKindID::eyeBreak)), 0);
    EXPECT_EQ(store.read(keys::nudgeDisplayDuration), 9.0);
    EXPECT_TRUE(store.read(keys::actionTimestamps).empty());
    EXPECT_EQ(store.read(keys::dailyBalanceHistory),
              (IntMap{{"a", lo}, {"b", hi}, {"c", hi}, {"d", lo}, {"e", hi}}));
    EXPECT_EQ(store.rawValue("waterGoalML"), json("lots"));

    backend.setValues({{"dailyBalanceHistory", {{"2026-12-01", 70}, {"2026-12-02", 7.5}}}});
    store.reload();
    EXPECT_TRUE(store.read(keys::dailyBalanceHistory).empty()) << "one bad day spoils the history";
}

TEST_F(PreferencesStoreTest, WritesAreVisibleAtOnceAndSavedOncePerTurn) {
    {
        PreferencesStore store(backend, scheduler);
        for (int ml = 100; ml <= 1000; ml += 100)
            store.write(keys::waterIntakeML, ml);
        store.write(keys::actionTimestamps, {1.5, 2.5});
        // JSON has no NaN or infinity: such writes are refused.
        store.write(keys::nudgeDisplayDuration, std::numeric_limits<double>::quiet_NaN());
        store.write(keys::actionTimestamps, {1.0, std::numeric_limits<double>::infinity()});
        EXPECT_EQ(store.read(keys::nudgeDisplayDuration), 6.0);
        EXPECT_EQ(store.read(keys::waterIntakeML), 1000);
        EXPECT_EQ(store.read(keys::actionTimestamps), (std::vector<double>{1.5, 2.5}));
        EXPECT_EQ(backend.saveCount(), 0);

        scheduler.runDue();
        EXPECT_EQ(backend.saveCount(), 1);
        EXPECT_EQ(backend.values()["waterIntakeML"], 1000);
        EXPECT_FALSE(store.hasPendingChanges());

        store.write(keys::waterIntakeML, 1200);
        EXPECT_TRUE(store.flush());
        scheduler.runDue(); // nothing left for the end of the turn
        EXPECT_EQ(backend.saveCount(), 2);

        store.remove("waterIntakeML"); // saved by the destructor
    }
    EXPECT_EQ(backend.saveCount(), 3);
    EXPECT_FALSE(backend.values().contains("waterIntakeML"));
}

TEST_F(PreferencesStoreTest, ObserversHearChangesOnly) {
    backend.setValues({{"waterGoalML", 2500}});
    PreferencesStore store(backend, scheduler);
    int changes = 0;
    auto goal = store.observe("waterGoalML", [&] { ++changes; });
    store.write(keys::waterGoalML, 2500);
    store.write(keys::breaksGoalDaily, 3);
    EXPECT_EQ(changes, 0);
    store.write(keys::waterGoalML, 3000);
    store.write(keys::waterGoalML, 3000);
    store.remove("waterGoalML");
    store.remove("waterGoalML");
    EXPECT_EQ(changes, 2);
}

// A file nests the stored object and at most 63 levels below it; deeper values are refused.
TEST_F(PreferencesStoreTest, ValuesNestedDeeperThanAFileMayHoldAreRefused) {
    PreferencesStore store(backend, scheduler);
    json deepest = 1;
    for (int level = 0; level < 63; ++level)
        deepest = json::array({deepest});
    store.setValue("junk", deepest);
    store.setValue("junk", json::array({deepest}));
    ASSERT_NE(store.storedValue("junk"), nullptr);
    EXPECT_EQ(*store.storedValue("junk"), deepest);
}

TEST_F(PreferencesStoreTest, FailedSaveKeepsChangesAndReports) {
    PreferencesStore store(backend, scheduler);
    std::vector<std::string> failures;
    auto failed = store.onSaveFailed([&](const std::string& why) { failures.push_back(why); });
    backend.failNextSaves(1, "No space left on device");

    store.write(keys::waterIntakeML, 750);
    scheduler.runDue();
    EXPECT_EQ(failures, std::vector<std::string>{"No space left on device"});
    EXPECT_TRUE(store.hasPendingChanges());
    EXPECT_EQ(store.read(keys::waterIntakeML), 750);

    // An outside edit meanwhile: our unsaved write wins its key, the edit keeps the others.
    backend.setValues({{"waterIntakeML", 100}, {"breaksGoalDaily", 3}});
    store.reload();
    EXPECT_EQ(store.read(keys::waterIntakeML), 750);
    EXPECT_EQ(store.read(keys::breaksGoalDaily), 3);

    EXPECT_TRUE(store.flush());
    EXPECT_EQ(backend.values(), json({{"waterIntakeML", 750}, {"breaksGoalDaily", 3}}));
}

TEST_F(PreferencesStoreTest, ReloadWritesBackWhatWasDeletedOrGarbled) {
    backend.setValues({{"waterGoalML", 2500}});
    PreferencesStore store(backend, scheduler);
    int heard = 0;
    auto goal = store.observe("waterGoalML", [&] { ++heard; });

    json deep = 1;
    for (int level = 0; level < 64; ++level)
        deep = json::array({deep});
    backend.setValues({{"junk", deep}}); // too deep for a file
    store.reload();
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::setAside);
    backend.setValues("not an object");
    store.reload();
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::setAside);
    EXPECT_EQ(store.read(keys::waterGoalML), 2500);
    scheduler.runDue();
    EXPECT_EQ(backend.values(), json({{"waterGoalML", 2500}}));

    backend.clear();
    store.reload();
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::missing);
    scheduler.runDue();
    EXPECT_EQ(backend.values(), json({{"waterGoalML", 2500}}));
    EXPECT_EQ(heard, 0);
}

// The simulator's store: an empty store that exists is not the same as none at all.
TEST_F(PreferencesStoreTest, InMemoryStoreTellsAnEmptyStoreFromNone) {
    using Status = PreferencesLoad::Status;
    EXPECT_EQ(backend.load().status, Status::missing);
    backend.setValues(json::object());
    EXPECT_EQ(backend.load().status, Status::loaded);
    backend.clear();
    EXPECT_EQ(backend.load().status, Status::missing);
    ASSERT_TRUE(backend.save(json::object()));
    EXPECT_EQ(backend.load().status, Status::loaded);
    backend.setValues("garbled");
    EXPECT_EQ(backend.load().status, Status::setAside);
    EXPECT_EQ(backend.load().status, Status::missing) << "what was set aside is gone";
}

} // namespace
} // namespace vornela
