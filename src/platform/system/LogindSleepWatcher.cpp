#include "platform/system/LogindSleepWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace vornela {

namespace {
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

LogindSleepWatcher::LogindSleepWatcher(NotificationCenter& center, std::function<void()> beforeSleep,
                                       QDBusConnection bus)
    : center_(center), beforeSleep_(std::move(beforeSleep)), bus_(std::move(bus)) {
    if (!bus_.isConnected())
        return;
    // The inhibitor request doubles as the probe for logind: its answer says whether logind runs.
    takeInhibitor();
}

void LogindSleepWatcher::takeInhibitor() {
    if (inhibitRequested_ || inhibitor_.isValid())
        return;
    inhibitRequested_ = true;
    auto call = QDBusMessage::createMethodCall(logindService, logindPath, managerInterface,
                                               QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Vornela") << QStringLiteral("Saving preferences")
         << QStringLiteral("delay");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        inhibitRequested_ = false;
        QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (reply.isError()) {
            const auto type = reply.error().type();
            // No logind: stay quiet. Anything else (a denied lock) still leaves wake-ups to follow.
            if (type == QDBusError::ServiceUnknown || type == QDBusError::NoReply ||
                type == QDBusError::Disconnected || type == QDBusError::TimedOut)
                return;
            followSignal();
            return;
        }
        followSignal();
        // A lock that arrives while the machine is already going down would only hold it up.
        if (!goingToSleep_)
            inhibitor_ = reply.value();
    });
}

void LogindSleepWatcher::followSignal() {
    if (signalFollowed_)
        return;
    signalFollowed_ = bus_.connect(logindService, logindPath, managerInterface,
                                   QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    connected_ = signalFollowed_;
}

void LogindSleepWatcher::prepareForSleep(bool sleeping) {
    goingToSleep_ = sleeping;
    if (sleeping) {
        if (beforeSleep_)
            beforeSleep_();
        inhibitor_ = QDBusUnixFileDescriptor(); // lets the suspend go ahead
        return;
    }
    center_.post(notifications::didWake);
    takeInhibitor();
}

} // namespace vornela
