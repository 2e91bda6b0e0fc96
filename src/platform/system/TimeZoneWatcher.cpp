#include "platform/system/TimeZoneWatcher.h"

#include <QFile>
#include <QFileInfo>

namespace vornela {

namespace {
const QString timedatedService = QStringLiteral("org.freedesktop.timedate1");
const QString timedatedPath = QStringLiteral("/org/freedesktop/timedate1");
const QString timedatedInterface = QStringLiteral("org.freedesktop.timedate1");
const QString timeZoneProperty = QStringLiteral("Timezone");
// Long enough for a replacement done as unlink-then-symlink to finish; nothing next to a day.
constexpr int quietMilliseconds = 200;
// Zone files are a few kilobytes; this only bounds a file that is something else.
constexpr qint64 largestZoneFile = 1 << 20;
} // namespace

TimeZoneWatcher::TimeZoneWatcher(TimeZoneSource& source, QDBusConnection bus, QString zoneFile)
    : source_(source), zoneFile_(zoneFile.isEmpty() ? QString() : QFileInfo(zoneFile).absoluteFilePath()) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(quietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, [this] { look(); });
    if (!zoneFile_.isEmpty()) {
        zone_ = readZone();
        connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { lookSoon(); });
        connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { lookSoon(); });
        rewatch();
    }
    if (bus.isConnected())
        followingBus_ =
            bus.connect(timedatedService, timedatedPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                        QStringLiteral("PropertiesChanged"), this,
                        SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
}

// What the process will read: the contents behind the path, whatever links lead there.
QByteArray TimeZoneWatcher::readZone() const {
    QFile file(zoneFile_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // read(n) reserves n bytes up front; what is kept should be the size of the file.
    QByteArray zone = file.read(largestZoneFile);
    zone.squeeze();
    return zone;
}

// The file's watch follows the inode it was set on (a symlink's target), so it is set afresh on
// every look: after a replacement it must be on the new target.
void TimeZoneWatcher::rewatch() {
    const QString folder = QFileInfo(zoneFile_).absolutePath();
    if (!watcher_.directories().contains(folder) && QFileInfo(folder).isDir())
        watcher_.addPath(folder);
    if (watcher_.files().contains(zoneFile_))
        watcher_.removePath(zoneFile_);
    if (QFileInfo::exists(zoneFile_))
        watcher_.addPath(zoneFile_);
}

void TimeZoneWatcher::lookSoon() {
    quiet_.start();
}

void TimeZoneWatcher::look() {
    rewatch();
    const QByteArray zone = readZone();
    // Missing or empty: in the middle of being replaced; the replacement brings another look.
    if (zone.isEmpty() || zone == zone_)
        return;
    zone_ = zone;
    source_.changed.emit();
}

void TimeZoneWatcher::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                        const QStringList& invalidated) {
    if (interface != timedatedInterface ||
        (!changed.contains(timeZoneProperty) && !invalidated.contains(timeZoneProperty)))
        return;
    // timedated replaces the zone file before it announces the change; the file says what it is.
    if (zoneFile_.isEmpty())
        source_.changed.emit();
    else
        lookSoon();
}

} // namespace vornela
