#include "../TestFiles.h"
#include "../time/EventLoopWait.h"
#include "UpdateFixtures.h"
#include "core/app/UpdaterManager.h"
#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferencesStore.h"
#include "platform/update/NetworkUpdateTransport.h"
#include "platform/update/ReleaseInstaller.h"
#include "platform/update/UpdateBackend.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::Member;
using testing::readFile;

// A home install of version 1.0 (prefix/bin/vornela holding "old"), a feed on a loopback server,
// and the updater as the app builds it, driven through user-started checks.
struct HomeInstall {
    explicit HomeInstall(int stallMilliseconds = 10000)
        : transport({dir.filePath("downloads"), stallMilliseconds}) {
        EXPECT_TRUE(testing::writeFile(binary(), "old", true));
        QDir().mkpath(prefix() + "/share/applications");
        preferences.write(keys::automaticallyChecksForUpdates, false);
        relaunch("1.0");
    }
    QString prefix() const { return dir.filePath("prefix"); }
    QString binary() const { return prefix() + "/bin/vornela"; }

    void relaunch(const QString& version) {
        updater.reset();
        const QString running = QFileInfo(binary()).canonicalFilePath();
        auto layout = ReleaseInstaller::layoutFor(running, version);
        ASSERT_TRUE(layout) << running.toStdString();
        installer = std::make_unique<ReleaseInstaller>(*layout, key.publicBase64(),
                                                       [this](const QString& path) { restarted = path; });
        installer->startedOnce();
        updater = std::make_unique<UpdaterManager>(
            UpdaterManager::Setup{[] { return false; }, server.url("/feed").toStdString(),
                                  version.toStdString()},
            UpdaterManager::Services{preferences, scheduler, scheduler, center, transport, *installer});
    }

    // A feed listing one release whose archive the server hands out.
    void publish(const std::string& version, const QByteArray& archive, std::string signature = {},
                 qint64 length = -1) {
        server.answers["/v.tar.gz"] = {200, archive};
        if (signature.empty())
            signature = key.sign(archive);
        server.answers["/feed"] = {
            200, QByteArray::fromStdString(
                     "<rss xmlns:sparkle=\"s\"><channel><item><sparkle:version>" + version +
                     "</sparkle:version><description>Faster.</description><enclosure url=\"" +
                     server.url("/v.tar.gz").toStdString() + "\" length=\"" +
                     std::to_string(length < 0 ? archive.size() : length) + "\" sparkle:edSignature=\"" +
                     signature + "\"/></item></channel></rss>")};
    }

    // What a user sees after Check for Updates, and Install when offered.
    std::string checkAndInstall() {
        const auto settled = [&] { return updater->canCheckForUpdates() || updater->readyToRestart(); };
        updater->checkForUpdates();
        EXPECT_TRUE(testing::waitUntil(settled, 10000));
        if (updater->offered()) {
            updater->installUpdate();
            EXPECT_TRUE(testing::waitUntil(settled, 10000));
        }
        return updater->statusText();
    }

    QTemporaryDir dir;
    testing::LoopbackServer server;
    testing::SigningKey key;
    ManualScheduler scheduler{1.8e9};
    InMemoryPreferencesBackend backend;
    PreferencesStore preferences{backend, scheduler};
    NotificationCenter center;
    NetworkUpdateTransport transport;
    std::unique_ptr<ReleaseInstaller> installer;
    std::unique_ptr<UpdaterManager> updater;
    QString restarted;
};

QByteArray release(const std::string& program = "new") {
    return testing::tarGz({{"bin", "", "d"},
                           {"bin/vornela", program},
                           {"share/doc/vornela/NEWS", "notes"},
                           {"share/doc/vornela/README", "", "l", "NEWS"}});
}

TEST(HomeUpdate, EveryBadFeedArchiveOrServerIsRefusedWithItsReasonAndTheInstallUntouched) {
    // The feed the server answers; without one, a release of `archive` is published.
    struct Case {
        std::string status;
        testing::LoopbackServer::Answer feed = {0};
        QByteArray archive = release();
        QByteArray signedInstead = {};
        qint64 extraLength = 0;
    };
    const std::string unpack = "The update archive cannot be unpacked: ";
    const std::string outside = " points outside its folder.";
    const Case cases[] = {
        {"The update feed is not a valid RSS feed.", {200, "<html><body>Sorry"}},
        {"The update feed is too large.", {200, QByteArray(2 << 20, 'x')}},
        {"The update feed lists no releases.", {200, "<rss><channel><title>V</title></channel></rss>"}},
        {"The update server answered with error 500.", {500, "oops"}},
        {"The update server redirected to an insecure address.", {302, "", "http://vornela.app/feed.xml"}},
        {"The update server stopped answering.", {200, "", "", true}},
        {.status = "The update's signature does not match: it was not signed with Vornela's key.",
         .signedInstead = "other"},
        {.status = "The download's length", .extraLength = 1},
        {.status = unpack + "it is not a .tar.gz archive.", .archive = "garbage that is signed"},
        {.status = unpack + "the member \"../evil\"" + outside,
         .archive = testing::tarGz({{"bin/vornela", "new"}, {"../evil", "x"}})},
        {.status = unpack + "the member \"/tmp/evil\"" + outside,
         .archive = testing::tarGz({{"/tmp/evil", "x"}})},
        {.status = unpack + "the link \"bin/up\"" + outside,
         .archive = testing::tarGz({{"bin/vornela", "new"}, {"bin/up", "", "l", "../../.."}})},
        {.status = unpack + "the link \"bin/passwd\"" + outside,
         .archive = testing::tarGz({{"bin/vornela", "new"}, {"bin/passwd", "", "l", "/etc/passwd"}})},
        {.status = unpack + "the link \"bin/pw\"" + outside,
         .archive = testing::tarGz({{"bin/vornela", "new"}, {"bin/pw", "", "h", "../etc/passwd"}})},
        {.status = "The update archive holds no bin/vornela program.",
         .archive = testing::tarGz({{"README", "hi"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        HomeInstall h(c.feed.stall ? 300 : 10000);
        if (c.feed.status != 0)
            h.server.answers["/feed"] = c.feed;
        else
            h.publish("2.0", c.archive, c.signedInstead.isEmpty() ? "" : h.key.sign(c.signedInstead),
                      c.archive.size() + c.extraLength);
        EXPECT_EQ(h.checkAndInstall().substr(0, c.status.size()), c.status);
        EXPECT_FALSE(h.updater->readyToRestart());
        EXPECT_FALSE(QFileInfo(h.binary()).isSymLink());
        EXPECT_EQ(readFile(h.binary()), "old");
        EXPECT_FALSE(QFileInfo::exists(h.prefix() + "/lib/vornela/2.0")) << "nothing left half-unpacked";
        EXPECT_TRUE(QDir(h.dir.filePath("downloads")).isEmpty()) << "no download left behind";
        EXPECT_FALSE(QFileInfo::exists(h.dir.filePath("evil")));
    }
}

TEST(HomeUpdate, PlainHttpIsOnlyForThisMachineAndNothingOlderIsOffered) {
    EXPECT_TRUE(NetworkUpdateTransport::isAllowed(QUrl("https://vornela.app/feed.xml")));
    EXPECT_TRUE(NetworkUpdateTransport::isAllowed(QUrl("http://[::1]:8080/feed.xml")));
    EXPECT_TRUE(NetworkUpdateTransport::isAllowed(QUrl("http://localhost/feed.xml")));
    EXPECT_FALSE(NetworkUpdateTransport::isAllowed(QUrl("http://vornela.app/feed.xml")));
    EXPECT_FALSE(NetworkUpdateTransport::isAllowed(QUrl("ftp://127.0.0.1/feed.xml")));

    HomeInstall h;
    h.publish("0.9", release());
    EXPECT_EQ(h.checkAndInstall(), "You're up to date: Vornela 1.0 is the newest version.");
    h.publish("1.0", release());
    EXPECT_EQ(h.checkAndInstall(), "You're up to date: Vornela 1.0 is the newest version.");
}

TEST(HomeUpdate, InstallSwitchesOverAndKeepsTheOldVersionUntilTheNewOneHasStarted) {
    HomeInstall h;
    h.publish("2.0", release("two"));
    std::vector<double> progress;
    Subscription watching = h.updater->changed.connect([&] {
        if (h.updater->downloadProgress() >= 0)
            progress.push_back(h.updater->downloadProgress());
    });
    EXPECT_EQ(h.checkAndInstall(), "Vornela 2.0 is installed. Restart Vornela to use it.");
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 1.0);
    EXPECT_TRUE(QFileInfo(h.binary()).isSymLink());
    EXPECT_EQ(readFile(h.binary()), "two");
    EXPECT_EQ(readFile(h.prefix() + "/lib/vornela/1.0/bin/vornela"), "old") << "the way back";
    h.updater->restartToUpdate();
    EXPECT_EQ(h.restarted, h.binary());

    h.relaunch("2.0");
    EXPECT_FALSE(QFileInfo::exists(h.prefix() + "/lib/vornela/1.0")) << "2.0 started: 1.0 can go";
    h.publish("3.0", release("three"));
    EXPECT_EQ(h.checkAndInstall(), "Vornela 3.0 is installed. Restart Vornela to use it.");
    EXPECT_EQ(readFile(h.binary()), "three");
    EXPECT_EQ(readFile(h.prefix() + "/lib/vornela/2.0/bin/vornela"), "two");
    EXPECT_EQ(readFile(h.prefix() + "/lib/vornela/3.0/share/doc/vornela/README"), "notes")
        << "a link inside is kept";
}

// The app reaches all of the above through its module, loaded only by a home install.
TEST(HomeUpdate, TheModuleGivesABackendOnlyToAnInstall) {
    QTemporaryDir home;
    const QString installed = home.path() + "/bin/vornela";
    ASSERT_TRUE(testing::writeFile(installed, "") && QDir(home.path()).mkpath("share/applications"));
    const auto setup = [](const QString& binary) { return UpdateBackendSetup{binary, "1.0", {}, {}}; };
    EXPECT_NE(loadUpdateBackend(VORNELA_UPDATE_MODULE, setup(installed)), nullptr);
    EXPECT_EQ(loadUpdateBackend(VORNELA_UPDATE_MODULE, setup(home.path() + "/vornela")), nullptr)
        << "not an installed layout";
    EXPECT_EQ(loadUpdateBackend(home.path() + "/missing.so", setup(installed)), nullptr);
}

} // namespace
} // namespace vornela
