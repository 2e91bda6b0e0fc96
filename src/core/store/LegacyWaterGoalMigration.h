#pragma once

namespace vornela {

class PreferencesStore;

// Early versions defaulted the water goal to 8000 ml. Resets that stored 8000 to 2000 once;
// an 8000 the user chooses later stays.
void migrateLegacyWaterGoal(PreferencesStore& store);

} // namespace vornela
