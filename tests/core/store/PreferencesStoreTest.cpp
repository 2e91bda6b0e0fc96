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

template <class Visit> void forEveryKey(Visit visit) {
    visit(keys::remindersEnabled);
    visit(keys::nudgeDisplayDuration);
    visit(keys::backgroundColorHex);
    visit(keys::hasCompletedOnboarding);
    visit(keys::launchTimeMinutes);
    visit(keys::nudgeIntervalsMigratedGoalSync);
    visit(keys::legacyWaterGoalDefaultMigrated);
    visit(keys::waterIntakeDay);
    visit(keys::waterIntakeML);
    visit(keys::waterGoalML);
    visit(keys::breaksGoalDaily);
    visit(keys::movementGoalDaily);
    visit(keys::nudgeCompletionsDay);
    visit(keys::nudgeShownDay);
    visit(keys::actionTimestampsDay);
    visit(keys::actionTimestamps);
    visit(keys::dailyBalanceHistory);
    for (auto kind : allNudgeKinds) {
        visit(keys::nudgeEnabled(kind));
        visit(keys::nudgeInterval(kind));
        visit(keys::nudgeCompletions(kind));
        visit(keys::nudgeShown(kind));
    }
}

struct PreferencesStoreTest : ::testing::Test {
    ManualScheduler scheduler{1'000'000};
    InMemoryPreferencesBackend backend;
};

TEST_F(PreferencesStoreTest, FreshStoreReadsEveryDefault) {
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::missing);
    int count = 0;
    forEveryKey([&](const auto& key) {
        ++count;
        EXPECT_EQ(store.read(key), key.defaultValue) << key.name;
        EXPECT_EQ(store.rawValue(key.name), encodePreference(key.defaultValue)) << key.name;
    });
    EXPECT_EQ(count, 37);
    EXPECT_TRUE(store.rawValue("noSuchKey").is_null());
    EXPECT_FALSE(store.hasPendingChanges());
}

TEST_F(PreferencesStoreTest, IllTypedValuesReadAsTheDefault) {
    backend.setValues({{"waterGoalML", "lots"},
                       {"breaksGoalDaily", 6.5},
                       {"remindersEnabled", 1},
                       {"movementGoalDaily", 6.0},
                       {"launchTimeMinutes", 3'000'000'000LL},
                       {"nudgeDisplayDuration", 9},
                       {"actionTimestamps", {1, "2"}},
                       {"dailyBalanceHistory", {{"2026-12-01", 70}, {"2026-12-02", 7.5}}}});
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.read(keys::waterGoalML), 2000);
    EXPECT_EQ(store.read(keys::breaksGoalDaily), 6);
    EXPECT_TRUE(store.read(keys::remindersEnabled));
    EXPECT_EQ(store.read(keys::movementGoalDaily), 6);
    EXPECT_EQ(store.read(keys::launchTimeMinutes), 750);
    EXPECT_EQ(store.read(keys::nudgeDisplayDuration), 9.0);
    EXPECT_TRUE(store.read(keys::actionTimestamps).empty());
    EXPECT_TRUE(store.read(keys::dailyBalanceHistory).empty());
    EXPECT_EQ(store.rawValue("waterGoalML"), json("lots"));
}

TEST_F(PreferencesStoreTest, WritesAreVisibleAtOnceAndSavedOncePerTurn) {
    {
        PreferencesStore store(backend, scheduler);
        for (int ml = 100; ml <= 1000; ml += 100)
            store.write(keys::waterIntakeML, ml);
        store.write(keys::actionTimestamps, {1.5, 2.5});
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

TEST_F(PreferencesStoreTest, ValuesAFileCannotHoldAreRefused) {
    PreferencesStore store(backend, scheduler);
    store.write(keys::nudgeDisplayDuration, 8.0);
    store.write(keys::nudgeDisplayDuration, std::numeric_limits<double>::quiet_NaN());
    store.write(keys::actionTimestamps, {1.0, std::numeric_limits<double>::infinity()});
    EXPECT_EQ(store.read(keys::nudgeDisplayDuration), 8.0);
    EXPECT_TRUE(store.read(keys::actionTimestamps).empty());

    // Nesting: the file's object and 63 levels below it, no more.
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

} // namespace
} // namespace vornela
