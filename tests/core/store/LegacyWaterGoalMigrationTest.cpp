#include "core/store/LegacyWaterGoalMigration.h"
#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

TEST(LegacyWaterGoalMigrationTest, OldDefaultBecomesTheNewOneOnce) {
    ManualScheduler scheduler(0);
    InMemoryPreferencesBackend backend(nlohmann::json{{"waterGoalML", 8000}});
    PreferencesStore store(backend, scheduler);
    migrateLegacyWaterGoal(store);
    EXPECT_EQ(store.read(keys::waterGoalML), 2000);
    EXPECT_TRUE(store.read(keys::legacyWaterGoalDefaultMigrated));

    // The user picks 8000 afterwards: it stays.
    store.write(keys::waterGoalML, 8000);
    migrateLegacyWaterGoal(store);
    EXPECT_EQ(store.read(keys::waterGoalML), 8000);
}

TEST(LegacyWaterGoalMigrationTest, OtherGoalsAreKept) {
    ManualScheduler scheduler(0);
    InMemoryPreferencesBackend backend(nlohmann::json{{"waterGoalML", 3000}});
    PreferencesStore store(backend, scheduler);
    migrateLegacyWaterGoal(store);
    EXPECT_EQ(store.read(keys::waterGoalML), 3000);
    EXPECT_TRUE(store.read(keys::legacyWaterGoalDefaultMigrated));
}

} // namespace
} // namespace vornela
