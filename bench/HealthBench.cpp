// The balance is recomputed after every action and every shown nudge; these cases show what
// that costs on a heavy day and with a full 120-day history.
#include "core/base/Calendar.h"
#include "core/store/BalanceScore.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/VirtualDesktop.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <vector>

using namespace vornela;

namespace {

// 18:00 on a day with 2000 action moments and a full history, as stored before the process
// starts; the core is then built over it.
struct HeavyDay {
    HeavyDay() : world(Calendar().date(2026, 8, 1, 18, 0).value()) {
        auto& preferences = world.core->preferences();
        const double now = world.scheduler.wallNow();
        std::vector<double> timestamps;
        for (int i = 0; i < 2000; ++i) // newest first, so the sort has real work
            timestamps.push_back(now - i * 17.0);
        IntMap history;
        for (int back = 1; back <= HealthDataStore::historyDays; ++back)
            history[world.calendar.dayKey(world.calendar.addDays(now, -back).value())] = back % 101;
        const std::string today = world.calendar.dayKey(now);
        preferences.write(keys::actionTimestampsDay, today);
        preferences.write(keys::actionTimestamps, timestamps);
        preferences.write(keys::dailyBalanceHistory, history);
        preferences.write(keys::nudgeCompletionsDay, today);
        preferences.write(keys::nudgeShownDay, today);
        world.restart();
    }

    HealthDataStore& health() { return world.core->health(); }

    fakes::VirtualDesktop world;
};

void BM_RecomputeBalance(benchmark::State& state) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    HeavyDay day;
    for (auto _ : state) {
        day.health().recomputeBalance(day.world.scheduler.wallNow());
        benchmark::DoNotOptimize(day.health().balanceScore.get().score);
    }
    state.counters["history"] = static_cast<double>(day.health().dailyBalanceHistory.get().size());
    state.counters["timestamps"] = static_cast<double>(day.health().sortedActionTimestamps().size());
}
BENCHMARK(BM_RecomputeBalance)->Unit(benchmark::kMicrosecond);

// An action on a heavy day: the stored list changes, so the sorted cache is rebuilt too.
void BM_RecordCompletion(benchmark::State& state) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    HeavyDay day;
    for (auto _ : state)
        day.health().recordCompletion(NudgeKindID::eyeBreak);
}
BENCHMARK(BM_RecordCompletion)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_ComputeBalanceOnly(benchmark::State& state) {
    std::vector<double> sorted;
    for (int i = 0; i < 2000; ++i)
        sorted.push_back(1.8e9 + i * 17.0);
    BalanceInputs inputs;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeBalance(inputs, sorted, 1.8e9 + 40000, "2026-08-01"));
}
BENCHMARK(BM_ComputeBalanceOnly)->Unit(benchmark::kMicrosecond);

} // namespace
