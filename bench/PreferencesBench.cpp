#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace vornela;

// What a long-time user's store holds: every key set, four months of balance history and a
// busy day of action timestamps.
void fillRealistically(PreferencesStore& store) {
    store.write(keys::remindersEnabled, true);
    store.write(keys::nudgeDisplayDuration, 8.0);
    store.write(keys::backgroundColorHex, std::string("#101218"));
    store.write(keys::hasCompletedOnboarding, true);
    store.write(keys::launchTimeMinutes, 735);
    store.write(keys::nudgeIntervalsMigratedGoalSync, true);
    store.write(keys::legacyWaterGoalDefaultMigrated, true);
    store.write(keys::waterIntakeDay, std::string("2026-12-06"));
    store.write(keys::waterIntakeML, 1250);
    store.write(keys::waterGoalML, 2500);
    store.write(keys::breaksGoalDaily, 6);
    store.write(keys::movementGoalDaily, 8);
    store.write(keys::nudgeCompletionsDay, std::string("2026-12-06"));
    store.write(keys::nudgeShownDay, std::string("2026-12-06"));
    store.write(keys::actionTimestampsDay, std::string("2026-12-06"));
    std::vector<double> stamps;
    for (int i = 0; i < 200; ++i)
        stamps.push_back(1'796'544'000.0 + i * 173.25);
    store.write(keys::actionTimestamps, stamps);
    IntMap history;
    const std::chrono::sys_days first = std::chrono::year{2026} / 8 / 9;
    for (int day = 0; day < 120; ++day) {
        const std::chrono::year_month_day date{first + std::chrono::days{day}};
        char name[16];
        std::snprintf(name, sizeof name, "%04d-%02u-%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
        history[name] = 30 + (day * 37) % 70;
    }
    store.write(keys::dailyBalanceHistory, history);
    for (auto kind : allNudgeKinds) {
        store.write(keys::nudgeEnabled(kind), true);
        store.write(keys::nudgeInterval(kind), 2700.0);
        store.write(keys::nudgeCompletions(kind), 3);
        store.write(keys::nudgeShown(kind), 5);
    }
}

void runFlushes(benchmark::State& state, PreferencesBackend& backend) {
    ManualScheduler scheduler(0);
    PreferencesStore store(backend, scheduler);
    fillRealistically(store);
    store.flush();
    int intake = 0;
    for (auto _ : state) {
        store.write(keys::waterIntakeML, ++intake);
        if (!store.flush())
            state.SkipWithError("flush failed");
    }
}

void BM_PreferencesFlush(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vornela-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        state.SkipWithError("no temp dir");
        return;
    }
    const std::filesystem::path dir = pattern;
    {
        JsonFilePreferencesBackend backend(dir / "vornela" / "preferences.json");
        runFlushes(state, backend);
        state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(backend.path()));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PreferencesFlush)->Unit(benchmark::kMicrosecond);

void BM_PreferencesFlushInMemory(benchmark::State& state) {
    InMemoryPreferencesBackend backend;
    runFlushes(state, backend);
}
BENCHMARK(BM_PreferencesFlushInMemory)->Unit(benchmark::kMicrosecond);

} // namespace
