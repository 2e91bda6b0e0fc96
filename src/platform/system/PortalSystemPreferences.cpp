#include "platform/system/PortalSystemPreferences.h"

#include "platform/system/PreferencesFileWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>

namespace vornela {

namespace {
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString interfaceGroup = QStringLiteral("org.gnome.desktop.interface");
const QString animationsKey = QStringLiteral("enable-animations");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
constexpr uint colorSchemeLight = 2;

// Read answers a variant holding the value in another variant; signals carry one level.
QVariant unwrap(QVariant value) {
    for (int level = 0; level < 2 && value.metaType() == QMetaType::fromType<QDBusVariant>(); ++level)
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

// kdeglobals is KConfig's INI dialect: "[KDE]" groups, keys maybe flagged like "Key[$i]".
bool kdeAnimationsOff(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inKdeGroup = false;
    bool off = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inKdeGroup = line == QStringLiteral("[KDE]");
            continue;
        }
        if (!inKdeGroup)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        QString key = line.left(equals).trimmed();
        if (const qsizetype flags = key.indexOf(QStringLiteral("[$")); flags >= 0)
            key = key.left(flags);
        if (key != QStringLiteral("AnimationDurationFactor"))
            continue;
        bool ok = false;
        const double factor = line.mid(equals + 1).trimmed().toDouble(&ok);
        off = ok && factor == 0.0; // the last entry wins, as in KConfig
    }
    return off;
}
} // namespace

PortalSystemPreferences::PortalSystemPreferences(SystemPreferences& target, QString kdeglobalsPath,
                                                 QDBusConnection bus)
    : target_(target), kdeglobalsPath_(kdeglobalsPath.isEmpty() ? defaultKdeglobalsPath() : kdeglobalsPath),
      bus_(std::move(bus)) {}

PortalSystemPreferences::~PortalSystemPreferences() = default;

QString PortalSystemPreferences::defaultKdeglobalsPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/kdeglobals");
}

void PortalSystemPreferences::start() {
    if (started_)
        return;
    started_ = true;

    readKdeglobals();
    kdeWatcher_ = std::make_unique<PreferencesFileWatcher>(kdeglobalsPath_, [this] { readKdeglobals(); });

    if (!bus_.isConnected())
        return;
    // No service name in the match: naming one makes Qt ask the bus for its owner synchronously.
    bus_.connect(QString(), portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                 SLOT(settingChanged(QDBusMessage)));
    read(interfaceGroup, animationsKey);
    read(appearanceGroup, colorSchemeKey);
}

void PortalSystemPreferences::read(const QString& group, const QString& key) {
    auto call =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    call << group << key;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, group, key](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                QDBusPendingReply<QDBusVariant> reply = *w;
                if (reply.isError())
                    return; // no portal, or no such setting: keep what we have
                take(group, key, reply.argumentAt(0));
            });
}

void PortalSystemPreferences::settingChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() != 3)
        return;
    take(arguments.at(0).toString(), arguments.at(1).toString(), arguments.at(2));
}

void PortalSystemPreferences::take(const QString& group, const QString& key, const QVariant& wrapped) {
    const QVariant value = unwrap(wrapped);
    if (group == interfaceGroup && key == animationsKey) {
        if (value.metaType() != QMetaType::fromType<bool>())
            return;
        portalAnimationsOff_ = !value.toBool();
    } else if (group == appearanceGroup && key == colorSchemeKey) {
        bool ok = false;
        const uint scheme = value.toUInt(&ok);
        if (!ok)
            return;
        light_ = scheme == colorSchemeLight;
    } else {
        return;
    }
    apply();
}

void PortalSystemPreferences::readKdeglobals() {
    kdeAnimationsOff_ = kdeAnimationsOff(kdeglobalsPath_);
    apply();
}

void PortalSystemPreferences::apply() {
    target_.reduceMotion.set(portalAnimationsOff_ || kdeAnimationsOff_);
    target_.darkAppearance.set(!light_);
}

} // namespace vornela
