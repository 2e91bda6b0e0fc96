#pragma once

#include "../time/EventLoopWait.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace vornela::testing {

// A service on its own connection to the private session bus, as another process would be.
class FakePeer : public QObject {
public:
    FakePeer(const QString& service, const QString& path)
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, service)), path_(path) {
        registered =
            bus_.registerService(service) && bus_.registerObject(path, this, QDBusConnection::ExportAllSlots);
    }
    ~FakePeer() override { QDBusConnection::disconnectFromBus(bus_.name()); }
    void emitSignal(const QString& interface, const QString& name, const QVariantList& arguments) {
        auto signal = QDBusMessage::createSignal(path_, interface, name);
        signal.setArguments(arguments);
        bus_.send(signal);
    }
    bool registered = false;

private:
    QDBusConnection bus_;
    QString path_;
};

// logind's Manager. Each lock is a pipe's write end; the read end sees end-of-file once every
// copy of the lock is closed.
class FakeLogind : public FakePeer {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    FakeLogind()
        : FakePeer(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1")) {}
    ~FakeLogind() override {
        for (int fd : locks)
            ::close(fd);
    }
    void prepareForSleep(bool sleeping) {
        emitSignal(QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                   {sleeping});
    }
    bool released(std::size_t lock) const {
        char byte = 0;
        return ::read(locks.at(lock), &byte, 1) == 0;
    }
    std::vector<int> locks;
    QStringList lastInhibit;

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        lastInhibit = {what, who, why, mode};
        int ends[2] = {-1, -1};
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return {};
        locks.push_back(ends[0]);
        QDBusUnixFileDescriptor lock(ends[1]); // holds its own copy
        ::close(ends[1]);
        return lock;
    }
};

// The desktop portal's Settings: Read answers a variant inside a variant, as the real one does.
class FakePortal : public FakePeer, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    FakePortal()
        : FakePeer(QStringLiteral("org.freedesktop.portal.Desktop"),
                   QStringLiteral("/org/freedesktop/portal/desktop")) {}
    void change(const QString& group, const QString& key, const QVariant& value) {
        emitSignal(QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("SettingChanged"),
                   {group, key, QVariant::fromValue(QDBusVariant(value))});
    }
    QMap<QString, QVariant> values; // "group key" -> value
    int reads = 0;

public Q_SLOTS:
    QDBusVariant Read(const QString& group, const QString& key) {
        ++reads;
        const auto it = values.constFind(group + u' ' + key);
        if (it == values.constEnd()) {
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                           QStringLiteral("no such key"));
            return {};
        }
        return QDBusVariant(QVariant::fromValue(QDBusVariant(*it)));
    }
};

// Replies come back in order: once the bus answers a call sent now, earlier answers are in.
inline bool busRoundTrip(QDBusConnection bus) {
    QDBusPendingCallWatcher watcher(bus.asyncCall(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"))));
    bool answered = false;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, [&] { answered = true; });
    const bool ok = waitUntil([&] { return answered; });
    QCoreApplication::processEvents();
    return ok;
}

} // namespace vornela::testing
