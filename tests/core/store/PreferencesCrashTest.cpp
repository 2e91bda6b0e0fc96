#include "StoreTempDir.h"
#include "core/base/ManualScheduler.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace vornela {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Saves forever, each object consistent in itself: every timestamp equals the counter.
[[noreturn]] void saveUntilKilled(const fs::path& file) {
    try {
        JsonFilePreferencesBackend backend(file);
        ManualScheduler scheduler(0);
        PreferencesStore store(backend, scheduler);
        for (int counter = store.read(keys::waterIntakeML) + 1;; ++counter) {
            store.write(keys::waterIntakeML, counter);
            store.write(keys::actionTimestamps, std::vector<double>(2000, counter));
            if (!store.flush())
                ::_exit(2);
        }
    } catch (...) {
        ::_exit(3);
    }
}

TEST(PreferencesCrashTest, KilledMidSaveLeavesACompleteFile) {
    test::StoreTempDir temp;
    const fs::path file = temp.path() / "vornela" / "preferences.json";
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMs(1, 20);
    int lastCounter = 0;

    for (int round = 0; round < 30; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveUntilKilled(file);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        JsonFilePreferencesBackend backend(file);
        const PreferencesLoad load = backend.load();
        if (load.status == PreferencesLoad::Status::missing && lastCounter == 0)
            continue; // killed before its first save
        ASSERT_EQ(load.status, PreferencesLoad::Status::loaded) << "round " << round << ": " << load.message;
        const int counter = load.values.at("waterIntakeML").get<int>();
        const json& stamps = load.values.at("actionTimestamps");
        ASSERT_EQ(stamps.size(), 2000u) << "round " << round;
        for (const auto& stamp : stamps)
            ASSERT_EQ(stamp.get<double>(), counter) << "round " << round;
        EXPECT_GE(counter, lastCounter);
        lastCounter = counter;
    }
    EXPECT_GT(lastCounter, 0);
}

} // namespace
} // namespace vornela
