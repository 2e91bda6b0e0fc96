#include "core/app/UpdaterManager.h"

#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace vornela {
namespace {

// The network and the disk in the test's hands: each request waits until the test answers it.
struct HeldTransport final : UpdateTransport {
    void fetchFeed(const std::string&, Done done) override { pending = std::move(done), ++fetches; }
    void download(const UpdateRelease&, std::function<void(double)> progress, Done done) override {
        onProgress = std::move(progress);
        pending = std::move(done);
        ++downloads;
    }
    void cancel() override { pending = nullptr; }
    void answer(Result<std::string> result) { std::exchange(pending, nullptr)(std::move(result)); }
    Done pending;
    std::function<void(double)> onProgress;
    int fetches = 0;
    int downloads = 0;
};

struct RecordingInstaller final : UpdateInstaller {
    Result<void> install(const std::string& archive, const UpdateRelease& release) override {
        installed.push_back(archive + " " + release.version);
        return refusal.empty() ? Result<void>() : Result<void>(Failure{refusal});
    }
    void restart() override { ++restarts; }
    std::vector<std::string> installed;
    std::string refusal;
    int restarts = 0;
};

std::string feedListing(std::initializer_list<const char*> versions) {
    std::string items;
    for (const char* v : versions)
        items += std::string("<item><sparkle:version>") + v +
                 "</sparkle:version><enclosure url=\"https://x/" + v +
                 ".tar.gz\" length=\"3\" sparkle:edSignature=\"c2ln\"/></item>";
    return "<rss xmlns:sparkle=\"s\"><channel>" + items + "</channel></rss>";
}

constexpr double day = UpdaterManager::checkInterval;

// One machine: its clock, its preferences and an updater that can be relaunched.
struct UpdateWorld {
    explicit UpdateWorld(bool setUp = true) {
        if (setUp)
            backend.setValues({{keys::hasCompletedOnboarding.name, true}});
        launch();
    }
    void launch() {
        updater.reset();
        preferences.reset(); // flushes: the next launch reads what this one wrote
        preferences = std::make_unique<PreferencesStore>(backend, scheduler);
        updater = std::make_unique<UpdaterManager>(
            UpdaterManager::Setup{[] { return false; }, "https://vornela.app/feed.xml", "1.0"},
            UpdaterManager::Services{*preferences, scheduler, scheduler, center, transport, installer});
        offers.clear();
        offerSubscription =
            updater->offer.connect([this](const UpdateRelease& r) { offers.push_back(r.version); });
        scheduler.runDue();
    }
    ManualScheduler scheduler{1.8e9};
    InMemoryPreferencesBackend backend;
    NotificationCenter center;
    HeldTransport transport;
    RecordingInstaller installer;
    std::unique_ptr<PreferencesStore> preferences;
    std::unique_ptr<UpdaterManager> updater;
    std::vector<std::string> offers;
    Subscription offerSubscription;
};

TEST(UpdaterManager, OffersOnlyANewerReleaseAndRemembersASkippedOne) {
    UpdateWorld w;
    ASSERT_EQ(w.transport.fetches, 1) << "never checked: the first check is due at once";
    w.transport.answer(feedListing({"0.9", "1.0"}));
    EXPECT_TRUE(w.offers.empty());
    EXPECT_EQ(w.updater->statusText(), "") << "a background check says nothing";

    w.updater->checkForUpdates();
    EXPECT_EQ(w.updater->statusText(), "Checking for updates…");
    w.transport.answer(feedListing({"1.0.0", "0.9"}));
    EXPECT_EQ(w.updater->statusText(), "You're up to date: Vornela 1.0 is the newest version.");
    EXPECT_TRUE(w.offers.empty());

    w.scheduler.advance(day);
    w.transport.answer(feedListing({"1.1", "1.2", "0.9"}));
    EXPECT_EQ(w.offers, std::vector<std::string>{"1.2"});
    w.updater->skipThisVersion();
    EXPECT_FALSE(w.updater->offered());

    w.launch();
    w.scheduler.advance(day);
    ASSERT_EQ(w.transport.fetches, 4);
    w.transport.answer(feedListing({"1.1", "1.2"}));
    EXPECT_EQ(w.offers, std::vector<std::string>{"1.1"}) << "the skipped 1.2 stays skipped after a relaunch";
    w.updater->remindLater();
    w.updater->checkForUpdates();
    w.transport.answer(feedListing({"1.1", "1.2"}));
    EXPECT_EQ(w.offers.back(), "1.2") << "asked for, the skipped version shows again";
    EXPECT_EQ(w.installer.installed.size(), 0u) << "nothing installs without the switch or a click";
}

TEST(UpdaterManager, ChecksOnceADayAcrossLaunchesAndOnWakeAfterTheDueTime) {
    UpdateWorld w;
    w.transport.answer(feedListing({"1.0"}));
    w.scheduler.advance(day - 60);
    EXPECT_EQ(w.transport.fetches, 1);
    w.launch();
    EXPECT_EQ(w.transport.fetches, 1) << "the last check time outlives the launch";
    EXPECT_EQ(w.updater->nextCheck(), 1.8e9 + day);
    w.scheduler.advance(60);
    ASSERT_EQ(w.transport.fetches, 2);
    w.transport.answer(Failure{"No connection to the update server."});

    // Asleep past the next due time: the check runs on waking, not a day later.
    w.scheduler.sleep(2 * day);
    w.center.post(notifications::didWake);
    w.scheduler.runDue();
    ASSERT_EQ(w.transport.fetches, 3);
    w.transport.answer(feedListing({"1.0"}));

    w.updater->setAutomaticallyChecksForUpdates(false);
    w.scheduler.advance(3 * day);
    EXPECT_EQ(w.transport.fetches, 3);
    EXPECT_FALSE(w.updater->nextCheck());
    w.launch();
    EXPECT_FALSE(w.updater->automaticallyChecksForUpdates()) << "the switch is remembered";
    w.updater->setAutomaticallyChecksForUpdates(true);
    w.scheduler.runDue();
    EXPECT_EQ(w.transport.fetches, 4) << "overdue: checks at once";
    w.updater.reset();
    EXPECT_FALSE(w.transport.pending) << "a check cut short by quitting is dropped";

    // Installed by the package manager: the same feed, never asked.
    UpdaterManager packaged({[] { return true; }, "https://vornela.app/feed.xml", "1.0"},
                            UpdaterManager::Services{*w.preferences, w.scheduler, w.scheduler, w.center,
                                                     w.transport, w.installer});
    w.scheduler.advance(2 * day);
    EXPECT_EQ(w.transport.fetches, 4);
    EXPECT_FALSE(packaged.canCheckForUpdates());
    EXPECT_FALSE(packaged.automaticallyChecksForUpdates());
}

TEST(UpdaterManager, AFirstRunChecksOnlyOnceSetupIsDone) {
    UpdateWorld w(false);
    w.scheduler.advance(60);
    EXPECT_EQ(w.transport.fetches, 0) << "no offer over onboarding";
    w.preferences->write(keys::hasCompletedOnboarding, true);
    w.scheduler.runDue();
    EXPECT_EQ(w.transport.fetches, 1);
}

TEST(UpdaterManager, ABackgroundFailureIsQuietAndAUserStartedOneSaysWhy) {
    UpdateWorld w;
    EXPECT_FALSE(w.updater->canCheckForUpdates()) << "while a check runs";
    w.transport.answer(std::string("<html>"));
    EXPECT_EQ(w.updater->statusText(), "");
    EXPECT_TRUE(w.updater->canCheckForUpdates());
    EXPECT_EQ(w.updater->nextCheck(), 1.8e9 + day) << "tried again tomorrow, not sooner";

    w.updater->checkForUpdates();
    w.transport.answer(std::string("<html>"));
    EXPECT_EQ(w.updater->statusText(), "The update feed is not a valid RSS feed.");
    w.updater->checkForUpdates();
    w.transport.answer(Failure{"No connection to the update server."});
    EXPECT_EQ(w.updater->statusText(), "No connection to the update server.");

    // Install from the offer: a refused archive says why and leaves everything as it was.
    w.updater->checkForUpdates();
    w.transport.answer(feedListing({"2.0"}));
    w.updater->installUpdate();
    EXPECT_FALSE(w.updater->canCheckForUpdates()) << "while a download runs";
    EXPECT_EQ(w.updater->downloadProgress(), 0.0);
    w.transport.onProgress(0.5);
    EXPECT_EQ(w.updater->downloadProgress(), 0.5);
    EXPECT_EQ(w.updater->statusText(), "Downloading Vornela 2.0…");
    w.installer.refusal = "The update's signature does not match.";
    w.transport.answer(std::string("/tmp/a.tar.gz"));
    EXPECT_EQ(w.updater->statusText(), "The update's signature does not match.");
    EXPECT_TRUE(w.updater->canCheckForUpdates());
    EXPECT_FALSE(w.updater->readyToRestart());
}

TEST(UpdaterManager, InstallsInTheBackgroundOnlyWithTheSwitchOnAndThenWaitsForARestart) {
    UpdateWorld w;
    w.transport.answer(feedListing({"1.5"}));
    EXPECT_EQ(w.offers.size(), 1u);
    EXPECT_EQ(w.transport.downloads, 0);
    w.updater->remindLater();
    w.updater->installUpdate();
    EXPECT_EQ(w.transport.downloads, 0) << "Later dismissed the offer";

    w.updater->setAutomaticallyDownloadsUpdates(true);
    w.scheduler.advance(day);
    w.transport.answer(feedListing({"1.5"}));
    EXPECT_EQ(w.offers.size(), 1u) << "no question asked";
    w.installer.refusal = "bad";
    w.transport.answer(std::string("/tmp/1.5.tar.gz"));
    EXPECT_EQ(w.updater->statusText(), "") << "a background install that fails stays quiet";

    w.installer.refusal.clear();
    w.scheduler.advance(day);
    w.transport.answer(feedListing({"1.5"}));
    w.transport.answer(std::string("/tmp/1.5.tar.gz"));
    EXPECT_EQ(w.installer.installed.back(), "/tmp/1.5.tar.gz 1.5");
    EXPECT_TRUE(w.updater->readyToRestart());
    EXPECT_EQ(w.updater->statusText(), "Vornela 1.5 is installed. Restart Vornela to use it.");
    EXPECT_FALSE(w.updater->canCheckForUpdates());
    w.scheduler.advance(2 * day);
    EXPECT_EQ(w.transport.fetches, 3) << "nothing more to look for until the restart";
    w.updater->restartToUpdate();
    EXPECT_EQ(w.installer.restarts, 1);
}

} // namespace
} // namespace vornela
