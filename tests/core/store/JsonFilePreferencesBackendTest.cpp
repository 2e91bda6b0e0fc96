#include "core/store/JsonFilePreferencesBackend.h"
#include "StoreTempDir.h"
#include "core/base/ManualScheduler.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace vornela {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::StoreTempDir;

unsigned modeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::vector<fs::path> corruptCopies(const fs::path& dir) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string().starts_with("preferences.json.corrupt-"))
            found.push_back(entry.path());
    }
    return found;
}

struct JsonFilePreferencesBackendTest : ::testing::Test {
    StoreTempDir temp;
    fs::path dir = temp.path() / "vornela";
    fs::path file = dir / "preferences.json";
    ManualScheduler scheduler{1'000'000};
};

TEST_F(JsonFilePreferencesBackendTest, SavesAPrivateReadableFile) {
    fs::create_directories(dir);
    ::chmod(dir.c_str(), 0755); // an existing loose folder of ours is tightened
    JsonFilePreferencesBackend backend(file);
    {
        PreferencesStore store(backend, scheduler);
        EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::missing);
        store.write(keys::nudgeDisplayDuration, 6.0);
        store.write(keys::dailyBalanceHistory, IntMap{{"2026-12-05", 72}});
        ASSERT_TRUE(store.flush());
    }
    EXPECT_EQ(modeOf(dir), 0700u);
    EXPECT_EQ(modeOf(file), 0600u);
    EXPECT_FALSE(fs::exists(dir / "preferences.json.tmp"));
    const std::string text = StoreTempDir::readText(file);
    EXPECT_NE(text.find("\n  \"nudgeDisplayDuration\": 6.0"), std::string::npos) << text;

    PreferencesStore again(backend, scheduler);
    EXPECT_EQ(again.lastLoad().status, PreferencesLoad::Status::loaded);
    EXPECT_EQ(again.read(keys::dailyBalanceHistory), (IntMap{{"2026-12-05", 72}}));
}

TEST_F(JsonFilePreferencesBackendTest, DefaultPathFollowsXdgConfigHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
    const fs::path config = temp.path() / "fresh-config";
    ::setenv("HOME", temp.path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const fs::path chosen = JsonFilePreferencesBackend::defaultPath();
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const fs::path relative = JsonFilePreferencesBackend::defaultPath();
    ::setenv("XDG_CONFIG_HOME", "", 1);
    const fs::path empty = JsonFilePreferencesBackend::defaultPath();
    ::setenv("HOME", "", 1);
    const fs::path noHome = JsonFilePreferencesBackend::defaultPath(); // the account's home instead
    oldXdg ? ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");

    EXPECT_EQ(chosen, config / "vornela/preferences.json");
    EXPECT_EQ(relative, temp.path() / ".config/vornela/preferences.json");
    EXPECT_EQ(empty, relative);
    EXPECT_TRUE(noHome.is_absolute()) << noHome;
    JsonFilePreferencesBackend backend(chosen);
    const Result<void> saved = backend.save(json::object());
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(modeOf(config), 0700u);
    EXPECT_EQ(modeOf(config / "vornela"), 0700u);
    EXPECT_EQ(modeOf(chosen), 0600u);
}

TEST_F(JsonFilePreferencesBackendTest, IllTypedEntriesSurviveUnrelatedWrites) {
    fs::create_directories(dir);
    StoreTempDir::writeText(file,
                            R"({"waterGoalML": "lots", "breaksGoalDaily": 6.5, "remindersEnabled": 1})");
    JsonFilePreferencesBackend backend(file);
    {
        PreferencesStore store(backend, scheduler);
        EXPECT_EQ(store.read(keys::breaksGoalDaily), 6);
        store.write(keys::launchTimeMinutes, 720);
        scheduler.runDue();
    }
    const json saved = json::parse(StoreTempDir::readText(file));
    EXPECT_EQ(saved["waterGoalML"], "lots");
    EXPECT_TRUE(saved["breaksGoalDaily"].is_number_float());
    EXPECT_TRUE(saved["remindersEnabled"].is_number_integer());
    EXPECT_EQ(saved["launchTimeMinutes"], 720);
}

TEST_F(JsonFilePreferencesBackendTest, OutsideEditThenReloadNotifiesChangedKeys) {
    JsonFilePreferencesBackend backend(file);
    PreferencesStore store(backend, scheduler);
    store.write(keys::waterGoalML, 2500);
    store.write(keys::breaksGoalDaily, 4);
    store.write(keys::movementGoalDaily, 9);
    ASSERT_TRUE(store.flush());
    std::vector<std::string> heard;
    std::vector<Subscription> subscriptions;
    for (const char* name : {"waterGoalML", "breaksGoalDaily", "movementGoalDaily", "remindersEnabled"})
        subscriptions.push_back(store.observe(name, [&heard, name] { heard.push_back(name); }));

    StoreTempDir::writeText(file,
                            R"({"waterGoalML": 2500, "breaksGoalDaily": 7, "remindersEnabled": false})");
    store.reload();
    EXPECT_EQ(heard, (std::vector<std::string>{"breaksGoalDaily", "movementGoalDaily", "remindersEnabled"}));
    EXPECT_EQ(store.read(keys::breaksGoalDaily), 7);
    EXPECT_EQ(store.read(keys::movementGoalDaily), 8);
    EXPECT_FALSE(store.hasPendingChanges());

    subscriptions.clear();
    StoreTempDir::writeText(file, R"({"waterGoalML": 1000})");
    store.reload();
    EXPECT_EQ(heard.size(), 3u);
}

TEST_F(JsonFilePreferencesBackendTest, CorruptFileIsKeptAsideAndReplaced) {
    fs::create_directories(dir);
    const std::string garbage = "{\"waterGoalML\": 25";
    StoreTempDir::writeText(file, garbage);
    JsonFilePreferencesBackend backend(file);
    {
        PreferencesStore store(backend, scheduler);
        EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::setAside);
        const auto copies = corruptCopies(dir);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_NE(store.lastLoad().message.find(copies[0].string()), std::string::npos);
        EXPECT_EQ(StoreTempDir::readText(copies[0]), garbage);
        EXPECT_EQ(store.read(keys::waterGoalML), 2000);
        store.write(keys::breaksGoalDaily, 5);
    }
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)), json({{"breaksGoalDaily", 5}}));

    // A second bad file within the same second gets its own name; neither is lost.
    StoreTempDir::writeText(file, "[1, 2]");
    EXPECT_EQ(backend.load().status, PreferencesLoad::Status::setAside);
    StoreTempDir::writeText(file, "");
    EXPECT_EQ(backend.load().status, PreferencesLoad::Status::setAside);
    EXPECT_EQ(corruptCopies(dir).size(), 3u);
}

TEST_F(JsonFilePreferencesBackendTest, UnreadableFileIsNeverWrittenOver) {
    fs::create_directories(file / "inside"); // a folder where the file should be: EISDIR
    JsonFilePreferencesBackend backend(file);
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::unreadable);
    EXPECT_NE(store.lastLoad().message.find(file.string()), std::string::npos);
    EXPECT_NE(store.lastLoad().message.find("Is a directory"), std::string::npos);

    std::vector<std::string> failures;
    auto failed = store.onSaveFailed([&](const std::string& why) { failures.push_back(why); });
    store.write(keys::waterGoalML, 2500);
    EXPECT_EQ(store.read(keys::waterGoalML), 2500);
    EXPECT_FALSE(store.flush());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(file.string()), std::string::npos);
    EXPECT_FALSE(backend.save(json::object()));
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_TRUE(corruptCopies(dir).empty());
}

TEST_F(JsonFilePreferencesBackendTest, FailedSaveLeavesTheOldFile) {
    JsonFilePreferencesBackend backend(file);
    const Result<void> first = backend.save({{"waterGoalML", 2500}});
    ASSERT_TRUE(first) << first.error();
    const std::string before = StoreTempDir::readText(file);
    fs::create_directories(dir / "preferences.json.tmp" / "inside"); // the temporary cannot be created

    const Result<void> second = backend.save({{"waterGoalML", 3000}});
    EXPECT_FALSE(second);
    EXPECT_NE(second.error().find("preferences.json.tmp"), std::string::npos) << second.error();
    EXPECT_EQ(StoreTempDir::readText(file), before);
}

} // namespace
} // namespace vornela
