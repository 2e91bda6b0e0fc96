// A week of reminders on virtual time, through the same world the simulator runs: all kinds on,
// the user answering now and then, the laptop asleep every night.
#include "SimCommand.h"
#include "SimWorld.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::vector<std::string> weekScript() {
    std::vector<std::string> lines = {"start 2026-03-02T08:00:00", "pref hasCompletedOnboarding true",
                                      "launch"};
    for (int day = 0; day < 7; ++day) {
        // Ten waking hours in ten-minute steps; every other step answers what is showing.
        for (int step = 0; step < 60; ++step) {
            lines.push_back("advance 600");
            if (step % 2 == 0)
                lines.push_back(step % 4 == 0 ? "do complete" : "do ignore");
            if (step == 25) {
                lines.push_back("do trackWater");
                lines.push_back("do waterSelect 300");
                lines.push_back("do waterConfirm");
            }
        }
        lines.push_back("sleep 50400"); // 18:00 to 08:00
    }
    lines.push_back("dump");
    lines.push_back("quit");
    return lines;
}

void BM_SimulatedWeek(benchmark::State& state) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const auto script = weekScript();
    NullBuffer nothing;
    std::ostream out(&nothing);
    for (auto _ : state) {
        vornela::sim::SimWorld world(out);
        int number = 0;
        for (const auto& text : script) {
            if (auto command = vornela::sim::parseScriptLine(text, ++number))
                world.run(*command);
        }
    }
    state.counters["commands"] = static_cast<double>(script.size());
}
BENCHMARK(BM_SimulatedWeek)->Unit(benchmark::kMillisecond);

} // namespace
