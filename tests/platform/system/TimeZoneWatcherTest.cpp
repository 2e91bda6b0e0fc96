#include "platform/system/TimeZoneWatcher.h"

#include "../TestFiles.h"
#include "FakeBusPeers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace vornela {
namespace {

using testing::readFile;
using testing::spin;
using testing::waitUntil;
using testing::writeFile;

// Each report, with the zone the process would read at that moment.
struct ZoneLog {
    explicit ZoneLog(QString zoneFile = {}) : file(std::move(zoneFile)) {}
    QString file;
    TimeZoneSource source;
    QList<QByteArray> seen;
    Subscription reports = source.changed.connect([this] { seen.append(readFile(file)); });
};

// As timedated does it: a new symlink under a temporary name, renamed over the old one.
bool replaceLink(const QString& link, const QString& target) {
    const QByteArray temp = QFile::encodeName(link + QStringLiteral(".new"));
    return ::symlink(QFile::encodeName(target).constData(), temp.constData()) == 0 &&
           std::rename(temp.constData(), QFile::encodeName(link).constData()) == 0;
}

TEST(TimeZoneWatcher, ReportsTimedatedsTimezoneChangeOnTheBus) {
    testing::FakePeer timedated(QStringLiteral("org.freedesktop.timedate1"),
                                QStringLiteral("/org/freedesktop/timedate1"));
    ASSERT_TRUE(timedated.registered);
    ZoneLog log;
    TimeZoneWatcher watcher(log.source, QDBusConnection::sessionBus(), QString());
    ASSERT_TRUE(watcher.isFollowingBus());
    ASSERT_TRUE(testing::busRoundTrip(QDBusConnection::sessionBus()));

    const auto announce = [&](const QString& interface, const QVariantMap& changed) {
        timedated.emitSignal(QStringLiteral("org.freedesktop.DBus.Properties"),
                             QStringLiteral("PropertiesChanged"), {interface, changed, QStringList()});
    };
    // Other properties and other interfaces are not the zone; one sender's signals arrive in order.
    announce(QStringLiteral("org.freedesktop.timedate1"), {{QStringLiteral("NTP"), true}});
    announce(QStringLiteral("org.freedesktop.locale1"), {{QStringLiteral("Timezone"), QStringLiteral("x")}});
    announce(QStringLiteral("org.freedesktop.timedate1"),
             {{QStringLiteral("Timezone"), QStringLiteral("America/New_York")}});
    ASSERT_TRUE(waitUntil([&] { return !log.seen.isEmpty(); }));
    ASSERT_TRUE(testing::busRoundTrip(QDBusConnection::sessionBus()));
    EXPECT_EQ(log.seen.size(), 1);
}

// /etc/localtime as a symlink into a zone folder, in a temporary directory standing for /etc.
TEST(TimeZoneWatcher, ReportsEachReplacementOfTheZoneFileOnceAndNothingElse) {
    const QByteArray berlin = readFile(QStringLiteral("/usr/share/zoneinfo/Europe/Berlin"));
    const QByteArray newYork = readFile(QStringLiteral("/usr/share/zoneinfo/America/New_York"));
    ASSERT_TRUE(berlin.startsWith("TZif") && newYork.startsWith("TZif"));
    QTemporaryDir etc;
    const QString zones = etc.filePath(QStringLiteral("zoneinfo"));
    ASSERT_TRUE(writeFile(zones + QStringLiteral("/Berlin"), berlin));
    ASSERT_TRUE(writeFile(zones + QStringLiteral("/NewYork"), newYork));
    ASSERT_TRUE(writeFile(zones + QStringLiteral("/Zurich"), berlin)); // another name, same rules
    const QString localtime = etc.filePath(QStringLiteral("localtime"));
    ASSERT_EQ(::symlink("zoneinfo/Berlin", QFile::encodeName(localtime).constData()), 0);

    ZoneLog log(localtime);
    TimeZoneWatcher watcher(log.source, QDBusConnection(QStringLiteral("none")), localtime);
    EXPECT_FALSE(watcher.isFollowingBus());

    ASSERT_TRUE(replaceLink(localtime, QStringLiteral("zoneinfo/NewYork")));
    ASSERT_TRUE(waitUntil([&] { return log.seen.size() == 1; }));
    EXPECT_EQ(log.seen.back(), newYork);

    // `ln -sf`: the link is gone for a while before the new one appears; a missing zone file is
    // not a zone (the process would read UTC) but the middle of a replacement.
    ASSERT_EQ(::unlink(QFile::encodeName(localtime).constData()), 0);
    spin(700);
    EXPECT_EQ(log.seen.size(), 1);
    ASSERT_EQ(::symlink("zoneinfo/Berlin", QFile::encodeName(localtime).constData()), 0);
    ASSERT_TRUE(waitUntil([&] { return log.seen.size() == 2; }));
    EXPECT_EQ(log.seen.back(), berlin);

    // Other files in the folder come and go; a new link to the same rules changes nothing.
    ASSERT_TRUE(writeFile(etc.filePath(QStringLiteral("hostname")), "laptop\n"));
    ASSERT_TRUE(replaceLink(localtime, QStringLiteral("zoneinfo/Zurich")));
    spin(700);
    EXPECT_EQ(log.seen.size(), 2);

    // The zone data itself rewritten in place, as an update of the zone database does.
    ASSERT_TRUE(writeFile(zones + QStringLiteral("/Zurich"), newYork));
    ASSERT_TRUE(waitUntil([&] { return log.seen.size() == 3; })) << "the watch follows the link's new target";
    EXPECT_EQ(log.seen.back(), newYork);
}

} // namespace
} // namespace vornela
