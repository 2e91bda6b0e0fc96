#pragma once

#include "core/base/TimeZoneSource.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

namespace vornela {

// Follows the system time zone and emits TimeZoneSource::changed once per change, after the new
// zone is in place. Two routes lead here: timedated's Timezone property (PropertiesChanged on
// the system bus) and the zone file being replaced or rewritten (its folder is watched, since
// the file is swapped for a new symlink). Both only trigger a look at the zone file after a
// short quiet spell; a change is reported when its target or contents differ, so one change seen
// twice is reported once and other files coming and going in /etc are never reported. A zone
// file missing for the moment (half replaced) is waited out. With an empty zone file path only
// the bus is followed, and each Timezone change it announces is reported.
class TimeZoneWatcher : public QObject {
    Q_OBJECT
public:
    explicit TimeZoneWatcher(TimeZoneSource& source, QDBusConnection bus = QDBusConnection::systemBus(),
                             QString zoneFile = QStringLiteral("/etc/localtime"));

    // Subscribed to timedated's property changes.
    bool isFollowingBus() const { return followingBus_; }

private Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    QByteArray readZone() const;
    void rewatch();
    void lookSoon();
    void look();

    TimeZoneSource& source_;
    QString zoneFile_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QByteArray zone_; // target and contents of the zone file as last reported
    bool followingBus_ = false;
};

} // namespace vornela
