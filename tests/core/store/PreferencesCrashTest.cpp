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

// Saves forever, each object consistent in itself: every timestamp equals the counter. Reports
// on `started` once its first save is done, so a busy machine cannot starve the test.
[[noreturn]] void saveUntilKilled(const fs::path& file, int started) {
    try {
        JsonFilePreferencesBackend backend(file);
        ManualScheduler scheduler(0);
        PreferencesStore store(backend, scheduler);
        for (int counter = store.read(keys::waterIntakeML) + 1;; ++counter) {
            store.write(keys::waterIntakeML, counter);
            store.write(keys::actionTimestamps, std::vector<double>(2000, counter));
            if (!store.flush())
                ::_exit(2);
            if (started >= 0 && ::write(started, "s", 1) == 1 && ::close(started) == 0)
                started = -1;
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

    for (int round = 0; round < 20; ++round) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(started[0]);
            saveUntilKilled(file, started[1]);
        }
        ::close(started[1]);
        char byte = 0;
        const bool saved = ::read(started[0], &byte, 1) == 1;
        ::close(started[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(saved && WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        JsonFilePreferencesBackend backend(file);
        const PreferencesLoad load = backend.load();
        ASSERT_EQ(load.status, PreferencesLoad::Status::loaded) << "round " << round << ": " << load.message;
        const int counter = load.values.at("waterIntakeML").get<int>();
        const json& stamps = load.values.at("actionTimestamps");
        ASSERT_EQ(stamps.size(), 2000u) << "round " << round;
        for (const auto& stamp : stamps)
            ASSERT_EQ(stamp.get<double>(), counter) << "round " << round;
        EXPECT_GT(counter, lastCounter);
        lastCounter = counter;
    }
}

} // namespace
} // namespace vornela
