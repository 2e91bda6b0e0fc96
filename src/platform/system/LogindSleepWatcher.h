#pragma once

#include "core/base/NotificationCenter.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <functional>

namespace vornela {

// Follows logind's PrepareForSleep on the system bus. While awake it holds a "delay" inhibitor,
// so the machine waits for `beforeSleep` (the app flushes its preferences) before it suspends;
// on wake it posts notifications::didWake. Without a bus or logind it stays quiet. Every bus
// call is asynchronous: startup never waits for logind.
class LogindSleepWatcher : public QObject {
    Q_OBJECT
public:
    LogindSleepWatcher(NotificationCenter& center, std::function<void()> beforeSleep,
                       QDBusConnection bus = QDBusConnection::systemBus());

    // logind answered and its sleep signal is followed.
    bool isConnected() const { return connected_; }

private Q_SLOTS:
    void prepareForSleep(bool sleeping);

private:
    void takeInhibitor();
    void followSignal();

    NotificationCenter& center_;
    std::function<void()> beforeSleep_;
    QDBusConnection bus_;
    QDBusUnixFileDescriptor inhibitor_;
    bool connected_ = false;
    bool signalFollowed_ = false;
    bool inhibitRequested_ = false;
    bool goingToSleep_ = false;
};

} // namespace vornela
