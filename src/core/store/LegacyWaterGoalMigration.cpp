#include "core/store/LegacyWaterGoalMigration.h"

#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

void migrateLegacyWaterGoal(PreferencesStore& store) {
    if (store.read(keys::legacyWaterGoalDefaultMigrated))
        return;
    if (store.read(keys::waterGoalML) == 8000)
        store.write(keys::waterGoalML, 2000);
    store.write(keys::legacyWaterGoalDefaultMigrated, true);
}

} // namespace vornela
