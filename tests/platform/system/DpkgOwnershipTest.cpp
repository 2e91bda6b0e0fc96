#include "platform/system/DpkgOwnership.h"

#include "core/app/UpdaterManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

// A dpkg database as dpkg leaves it: one list of paths per package, folders included.
struct FakeDpkgDatabase {
    FakeDpkgDatabase() {
        writeFile(dir.filePath(QStringLiteral("coreutils.list")), "/.\n/bin\n/bin/env\n/bin/ls\n");
        writeFile(dir.filePath(QStringLiteral("libc6:amd64.list")),
                  "/.\n/usr/lib/x86_64-linux-gnu/libc.so.6\n");
    }
    QTemporaryDir dir;
};

TEST(DpkgOwnership, FindsThePackageOfAnInstalledFileThroughSymlinksAndAMergedUsr) {
    FakeDpkgDatabase db;
    QTemporaryDir prefix;
    const QString installed = prefix.filePath(QStringLiteral("vornela"));
    ASSERT_TRUE(writeFile(installed, "binary"));
    ASSERT_TRUE(
        writeFile(db.dir.filePath(QStringLiteral("vornela:amd64.list")),
                  "/.\n/usr\n" + QFile::encodeName(installed) + "\n/usr/share/doc/vornela/copyright\n"));
    const QString link = prefix.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(installed, link));

    EXPECT_EQ(DpkgOwnership::owningPackage(installed, db.dir.path()), QStringLiteral("vornela"));
    EXPECT_EQ(DpkgOwnership::owningPackage(link, db.dir.path()), QStringLiteral("vornela"));
    // coreutils lists /bin/env; on a merged /usr it runs as /usr/bin/env.
    EXPECT_EQ(DpkgOwnership::owningPackage(QStringLiteral("/usr/bin/env"), db.dir.path()),
              QStringLiteral("coreutils"));

    // A home install and a missing database own nothing.
    EXPECT_EQ(DpkgOwnership::owningPackage(prefix.filePath(QStringLiteral("elsewhere")), db.dir.path()),
              QString());
    EXPECT_EQ(DpkgOwnership::owningPackage(installed, db.dir.filePath(QStringLiteral("none"))), QString());
}

TEST(DpkgOwnership, APackagedBinaryLeavesUpdatesToThePackageManagerAndABuildWithoutFeedSaysSo) {
    FakeDpkgDatabase db;
    ASSERT_TRUE(writeFile(db.dir.filePath(QStringLiteral("vornela.list")), "/usr/bin/vornela\n"));
    int probes = 0;
    auto probe = [&](const QString& binary) {
        return [&probes, binary, database = db.dir.path()] {
            ++probes;
            return !DpkgOwnership::owningPackage(binary, database).isEmpty();
        };
    };

    const UpdaterManager packaged(
        {probe(QStringLiteral("/usr/bin/vornela")), "https://vornela.app/feed.xml", "0.1.0"});
    EXPECT_EQ(packaged.unavailableReason(), "Updates come from the system's package manager");
    EXPECT_EQ(packaged.unavailableReason(), "Updates come from the system's package manager");
    EXPECT_EQ(probes, 1) << "the database is read once";
    EXPECT_FALSE(packaged.hasOwnUpdater());
    EXPECT_FALSE(packaged.canCheckForUpdates());

    UpdaterManager home({probe(QDir::homePath() + QStringLiteral("/.local/bin/vornela")), "", "0.1.0"});
    EXPECT_EQ(home.unavailableReason(), "This build has no update feed");
    home.setAutomaticallyChecksForUpdates(true);
    EXPECT_FALSE(home.automaticallyChecksForUpdates()) << "a switch with nothing behind it stays off";
    EXPECT_FALSE(home.canCheckForUpdates());
}

} // namespace
} // namespace vornela
