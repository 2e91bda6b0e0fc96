#pragma once

#include "core/base/SystemPreferences.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <memory>

namespace vornela {

class PreferencesFileWatcher;

// Keeps SystemPreferences current from the XDG desktop portal's settings (GNOME's
// enable-animations, the freedesktop color-scheme) and KDE's AnimationDurationFactor in
// kdeglobals. Motion is reduced when either source turns animations off. Nothing answering
// keeps the defaults: motion on, dark.
class PortalSystemPreferences : public QObject {
    Q_OBJECT
public:
    explicit PortalSystemPreferences(SystemPreferences& target, QString kdeglobalsPath = {},
                                     QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalSystemPreferences() override;

    // Reads both sources and follows their changes; bus answers arrive later.
    void start();

    // $XDG_CONFIG_HOME/kdeglobals, else ~/.config/kdeglobals.
    static QString defaultKdeglobalsPath();

private Q_SLOTS:
    void settingChanged(const QDBusMessage& message);

private:
    void read(const QString& group, const QString& key);
    void take(const QString& group, const QString& key, const QVariant& value);
    void readKdeglobals();
    void apply();

    SystemPreferences& target_;
    QString kdeglobalsPath_;
    QDBusConnection bus_;
    std::unique_ptr<PreferencesFileWatcher> kdeWatcher_;
    bool started_ = false;
    bool portalAnimationsOff_ = false;
    bool kdeAnimationsOff_ = false;
    bool light_ = false;
};

} // namespace vornela
