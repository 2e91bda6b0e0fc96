#include "platform/system/DpkgOwnership.h"

#include "../TestFiles.h"
#include "core/app/UpdaterManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::writeFile;

TEST(DpkgOwnership, FindsThePackageOfAnInstalledFileThroughSymlinksAndAMergedUsr) {
    // A dpkg database as dpkg leaves it: one list of paths per package, folders included.
    QTemporaryDir db;
    QTemporaryDir prefix;
    const QString installed = prefix.filePath(QStringLiteral("vornela"));
    const QString link = prefix.filePath(QStringLiteral("link"));
    ASSERT_TRUE(writeFile(installed, "binary") && QFile::link(installed, link));
    ASSERT_TRUE(writeFile(db.filePath(QStringLiteral("coreutils.list")), "/.\n/bin\n/bin/env\n/bin/ls\n"));
    ASSERT_TRUE(
        writeFile(db.filePath(QStringLiteral("vornela:amd64.list")),
                  "/.\n/usr\n" + QFile::encodeName(installed) + "\n/usr/share/doc/vornela/copyright\n"));

    EXPECT_EQ(DpkgOwnership::owningPackage(installed, db.path()), QStringLiteral("vornela"));
    EXPECT_EQ(DpkgOwnership::owningPackage(link, db.path()), QStringLiteral("vornela"));
    // coreutils lists /bin/env; on a merged /usr it runs as /usr/bin/env.
    EXPECT_EQ(DpkgOwnership::owningPackage(QStringLiteral("/usr/bin/env"), db.path()),
              QStringLiteral("coreutils"));
    // A home install and a missing database own nothing.
    EXPECT_EQ(DpkgOwnership::owningPackage(prefix.filePath(QStringLiteral("elsewhere")), db.path()),
              QString());
    EXPECT_EQ(DpkgOwnership::owningPackage(installed, db.filePath(QStringLiteral("none"))), QString());

    // What the updater makes of it: a packaged binary leaves updates to the package manager.
    int probes = 0;
    const UpdaterManager packaged({[&] {
                                       ++probes;
                                       return !DpkgOwnership::owningPackage(installed, db.path()).isEmpty();
                                   },
                                   "https://vornela.app/feed.xml", "0.1.0"});
    EXPECT_EQ(packaged.unavailableReason(), "Updates come from the system's package manager");
    EXPECT_EQ(packaged.unavailableReason(), "Updates come from the system's package manager");
    EXPECT_EQ(probes, 1) << "the database is read once";
    EXPECT_FALSE(packaged.hasOwnUpdater());
    EXPECT_FALSE(packaged.canCheckForUpdates());

    UpdaterManager home({[] { return false; }, "", "0.1.0"});
    EXPECT_EQ(home.unavailableReason(), "This build has no update feed");
    home.setAutomaticallyChecksForUpdates(true);
    EXPECT_FALSE(home.automaticallyChecksForUpdates()) << "a switch with nothing behind it stays off";
    EXPECT_FALSE(home.canCheckForUpdates());
}

} // namespace
} // namespace vornela
