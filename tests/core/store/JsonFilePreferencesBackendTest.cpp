#include "core/store/JsonFilePreferencesBackend.h"
#include "StoreTempDir.h"
#include "core/base/ManualScheduler.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
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

    // A disk that takes no more: the file-size limit stands in for it (and holds for root too).
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Result<void> second = backend.save({{"waterGoalML", 3000}, {"notes", std::string(10000, 'x')}});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);

    EXPECT_FALSE(second);
    EXPECT_NE(second.error().find("File too large"), std::string::npos) << second.error();
    EXPECT_EQ(StoreTempDir::readText(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << "file and lock";
}

TEST_F(JsonFilePreferencesBackendTest, TooDeeplyNestedFileIsSetAsideAtStartAndWhileRunning) {
    fs::create_directories(dir);
    auto nested = [](int levels) {
        return R"({"hasCompletedOnboarding": true, "junk": )" + std::string(levels, '[') +
               std::string(levels, ']') + "}";
    };
    const std::string deep = nested(100'000);
    StoreTempDir::writeText(file, deep);
    JsonFilePreferencesBackend backend(file);
    PreferencesStore store(backend, scheduler);
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::setAside);
    EXPECT_FALSE(store.read(keys::hasCompletedOnboarding));
    ASSERT_EQ(corruptCopies(dir).size(), 1u);
    EXPECT_EQ(StoreTempDir::readText(corruptCopies(dir)[0]), deep);
    EXPECT_NE(store.lastLoad().message.find(corruptCopies(dir)[0].string()), std::string::npos);

    // The limit holds however many lists sit side by side, whatever a text says.
    std::string lists = "[]";
    for (int n = 1; n < 100; ++n)
        lists += ", []";
    const auto withOthers = [&](std::string text) {
        return text.insert(1, R"("note": ")" + std::string(100, '[') + R"(", "lists": [)" + lists + "],");
    };
    StoreTempDir::writeText(file, withOthers(nested(64)));
    EXPECT_EQ(backend.load(BadStoredObject::leaveInPlace).status, PreferencesLoad::Status::unparsable);
    StoreTempDir::writeText(file, withOthers(nested(63)));
    store.reload();
    EXPECT_EQ(store.lastLoad().status, PreferencesLoad::Status::loaded);
    EXPECT_TRUE(store.read(keys::hasCompletedOnboarding));

    std::vector<std::string> said;
    auto problems = store.onLoadProblem([&](const std::string& what) { said.push_back(what); });
    StoreTempDir::writeText(file, deep);
    store.outsideChange();
    scheduler.advance(PreferencesStore::settleSeconds + PreferencesStore::brokenGraceSeconds + 1);
    ASSERT_EQ(corruptCopies(dir).size(), 2u);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("kept as " + dir.string() + "/preferences.json.corrupt-"), std::string::npos)
        << said[0];
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)).value("hasCompletedOnboarding", false), true)
        << "what the app had is written back";
}

TEST_F(JsonFilePreferencesBackendTest, SavedFileGrowsLinearlyWithNesting) {
    fs::create_directories(dir);
    const std::string deep = std::string(63, '[') + "1" + std::string(63, ']');
    StoreTempDir::writeText(file, R"({"junk": )" + deep + "}");
    JsonFilePreferencesBackend backend(file);
    {
        PreferencesStore store(backend, scheduler);
        store.write(keys::waterGoalML, 2500);
    }
    const std::string saved = StoreTempDir::readText(file);
    EXPECT_LT(saved.size(), 2 * deep.size()) << saved.size() << " bytes";
    EXPECT_EQ(json::parse(saved)["junk"], json::parse(deep));
}

TEST_F(JsonFilePreferencesBackendTest, ALinkedFileIsReadAndWrittenButNothingOutsideTheFolderChanges) {
    const fs::path elsewhere = temp.path() / "dotfiles";
    const fs::path linked = elsewhere / "vornela.json";
    fs::create_directories(elsewhere);
    fs::create_directories(dir);
    ::chmod(elsewhere.c_str(), 0755);
    StoreTempDir::writeText(linked, R"({"waterGoalML": 2500})");
    ::chmod(linked.c_str(), 0644);
    fs::create_symlink(linked, file);

    JsonFilePreferencesBackend backend(file);
    {
        PreferencesStore store(backend, scheduler);
        EXPECT_EQ(store.read(keys::waterGoalML), 2500);
        store.write(keys::breaksGoalDaily, 4);
        ASSERT_TRUE(store.flush());
    }
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(json::parse(StoreTempDir::readText(linked)),
              json({{"waterGoalML", 2500}, {"breaksGoalDaily", 4}}));
    EXPECT_EQ(modeOf(elsewhere), 0755u);
    EXPECT_EQ(modeOf(linked), 0644u);

    // A broken target stays where it is: the link is what is set aside, in our own folder.
    StoreTempDir::writeText(linked, "{\"waterGoalML\": 25");
    EXPECT_EQ(backend.load().status, PreferencesLoad::Status::setAside);
    EXPECT_EQ(StoreTempDir::readText(linked), "{\"waterGoalML\": 25");
    ASSERT_EQ(corruptCopies(dir).size(), 1u);
    EXPECT_TRUE(fs::is_symlink(corruptCopies(dir)[0]));
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
    EXPECT_EQ(modeOf(elsewhere), 0755u);

    // A target that is not the user's own regular file is read but never written.
    if (::geteuid() == 0) {
        StoreTempDir::writeText(linked, R"({"waterGoalML": 2500})");
        ASSERT_EQ(::chown(linked.c_str(), 65534, 65534), 0);
        fs::remove(file);
        fs::create_symlink(linked, file);
        PreferencesStore store(backend, scheduler);
        EXPECT_EQ(store.read(keys::waterGoalML), 2500);
        std::vector<std::string> failures;
        auto failed = store.onSaveFailed([&](const std::string& why) { failures.push_back(why); });
        store.write(keys::waterGoalML, 3000);
        EXPECT_FALSE(store.flush());
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_NE(failures[0].find("not a regular file owned by you"), std::string::npos) << failures[0];
        EXPECT_EQ(StoreTempDir::readText(linked), R"({"waterGoalML": 2500})");
    }
}

// `cat new.json > preferences.json` empties the file first and writes it after.
TEST_F(JsonFilePreferencesBackendTest, AnOutsideEditIsReadOnceSettledAndNeverWrittenOver) {
    JsonFilePreferencesBackend backend(file);
    PreferencesStore store(backend, scheduler);
    store.write(keys::waterGoalML, 2500);
    ASSERT_TRUE(store.flush());

    const int editor = ::open(file.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(editor, 0);
    store.outsideChange();
    store.write(keys::waterIntakeML, 500); // the user logs water meanwhile
    scheduler.advance(0.2);
    const std::string edit = R"({"waterGoalML": 2500, "breaksGoalDaily": 3})";
    ASSERT_EQ(::write(editor, edit.data(), edit.size()), static_cast<ssize_t>(edit.size()));
    ::close(editor);
    store.outsideChange();
    scheduler.advance(PreferencesStore::settleSeconds + 0.1);

    EXPECT_EQ(store.read(keys::breaksGoalDaily), 3);
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)),
              json({{"waterGoalML", 2500}, {"breaksGoalDaily", 3}, {"waterIntakeML", 500}}));
    EXPECT_TRUE(corruptCopies(dir).empty());

    // Left half-written, it is kept aside only once it has stayed so.
    StoreTempDir::writeText(file, "{\"breaksGoalDaily\": ");
    store.outsideChange();
    scheduler.advance(PreferencesStore::settleSeconds + PreferencesStore::brokenGraceSeconds / 2);
    EXPECT_TRUE(corruptCopies(dir).empty());
    scheduler.advance(PreferencesStore::brokenGraceSeconds);
    ASSERT_EQ(corruptCopies(dir).size(), 1u);
    EXPECT_EQ(StoreTempDir::readText(corruptCopies(dir)[0]), "{\"breaksGoalDaily\": ");
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)).value("breaksGoalDaily", 0), 3);

    // Quitting before an edit has settled: it is read at once and merged, and saving goes on.
    StoreTempDir::writeText(file, R"({"breaksGoalDaily": 5})");
    store.outsideChange();
    store.write(keys::movementGoalDaily, 9);
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)),
              json({{"breaksGoalDaily", 5}, {"movementGoalDaily", 9}}));
    store.write(keys::waterGoalML, 1000);
    scheduler.runDue();
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)).value("waterGoalML", 0), 1000);
}

TEST_F(JsonFilePreferencesBackendTest, OnlyTheFirstProcessWritesTheFolderAndTheOtherKeepsRunning) {
    auto firstBackend = std::make_unique<JsonFilePreferencesBackend>(file);
    auto first = std::make_unique<PreferencesStore>(*firstBackend, scheduler);
    first->write(keys::waterGoalML, 2500);
    ASSERT_TRUE(first->flush());
    StoreTempDir::writeText(dir / "preferences.json.tmp", "{\"half"); // left by a killed save

    JsonFilePreferencesBackend secondBackend(file);
    PreferencesStore second(secondBackend, scheduler);
    EXPECT_EQ(second.read(keys::waterGoalML), 2500);
    std::vector<std::string> failures;
    auto failed = second.onSaveFailed([&](const std::string& why) { failures.push_back(why); });
    second.write(keys::breaksGoalDaily, 3);
    EXPECT_EQ(second.read(keys::breaksGoalDaily), 3);
    EXPECT_FALSE(second.flush());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("Another Vornela (process " + std::to_string(::getpid()) + ")"),
              std::string::npos)
        << failures[0];
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)), json({{"waterGoalML", 2500}}));

    // Once the first has gone, the second takes over and saves what it kept.
    first.reset();
    firstBackend.reset();
    EXPECT_TRUE(second.flush());
    EXPECT_EQ(json::parse(StoreTempDir::readText(file)),
              json({{"waterGoalML", 2500}, {"breaksGoalDaily", 3}}));
    EXPECT_FALSE(fs::exists(dir / "preferences.json.tmp"));
}

} // namespace
} // namespace vornela
