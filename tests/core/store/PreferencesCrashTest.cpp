#include "StoreTempDir.h"
#include "core/base/ManualScheduler.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
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

// A thousand SIGKILLs at random moments, hundreds of them inside a save (its temporary file is
// left behind): every time the next start finds a complete file, never a mix or a corrupt one.
TEST(PreferencesCrashTest, KilledAThousandTimesMidSaveLeavesACompleteFile) {
    test::StoreTempDir temp;
    const fs::path dir = temp.path() / "vornela";
    const fs::path file = dir / "preferences.json";
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayUs(1000, 20000);
    int lastCounter = 0;
    int killedInsideASave = 0;

    for (int round = 0; round < 1000; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveUntilKilled(file);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) {
            const std::string name = entry.path().filename().string();
            killedInsideASave += name.starts_with("preferences.json.tmp");
            ASSERT_FALSE(name.starts_with("preferences.json.corrupt")) << "round " << round;
        }
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
    EXPECT_GT(killedInsideASave, 50) << "too few kills landed inside a save to tell";
    ::testing::Test::RecordProperty("killedInsideASave", killedInsideASave);
    std::printf("1000 kills, %d inside a save, %d saves completed\n", killedInsideASave, lastCounter);
}

} // namespace
} // namespace vornela
