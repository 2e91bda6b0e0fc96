#include "platform/system/PortalSystemPreferences.h"

#include "../TestFiles.h"
#include "FakeBusPeers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using testing::waitUntil;

const QString interface = QStringLiteral("org.gnome.desktop.interface");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString animations = QStringLiteral("enable-animations");
const QString scheme = QStringLiteral("color-scheme");

struct Observed {
    SystemPreferences preferences;
    int motionChanges = 0;
    int appearanceChanges = 0;
    Subscription motion = preferences.reduceMotion.observe([this](bool) { ++motionChanges; });
    Subscription look = preferences.darkAppearance.observe([this](bool) { ++appearanceChanges; });
    bool reduceMotion() const { return preferences.reduceMotion(); }
    bool dark() const { return preferences.darkAppearance(); }
};

TEST(PortalSystemPreferences, FollowsThePortalsAnswersAndChanges) {
    testing::FakePortal portal;
    ASSERT_TRUE(portal.registered);
    portal.values[interface + u' ' + animations] = false;
    portal.values[appearance + u' ' + scheme] = 2u;
    QTemporaryDir dir;
    Observed observed;
    PortalSystemPreferences adapter(observed.preferences, dir.filePath(QStringLiteral("kdeglobals")));
    adapter.start();
    EXPECT_TRUE(observed.dark()) << "start() does not wait for the bus";

    ASSERT_TRUE(waitUntil([&] { return !observed.dark() && observed.reduceMotion(); }));

    // Noise (another key, a wrong type) before a real change: signals arrive in order.
    portal.change(interface, QStringLiteral("gtk-theme"), QStringLiteral("Adwaita"));
    portal.change(appearance, scheme, QStringLiteral("dark"));
    portal.change(appearance, scheme, 1u);
    ASSERT_TRUE(waitUntil([&] { return observed.dark(); }));
    EXPECT_TRUE(observed.reduceMotion());

    portal.change(appearance, scheme, 2u);
    portal.change(appearance, scheme, 0u); // no preference: dark
    portal.change(interface, animations, true);
    ASSERT_TRUE(waitUntil([&] { return !observed.reduceMotion(); }));
    EXPECT_TRUE(observed.dark());
    EXPECT_EQ(observed.appearanceChanges, 4);
    EXPECT_EQ(observed.motionChanges, 2);
}

TEST(PortalSystemPreferences, KdeAnimationFactorZeroReducesMotionUntilEdited) {
    QTemporaryDir dir;
    const QString kdeglobals = dir.filePath(QStringLiteral("kdeglobals"));
    const auto write = [&](const QByteArray& contents) { return testing::renameOver(kdeglobals, contents); };
    ASSERT_TRUE(write("[General]\nAnimationDurationFactor=1\n[KDE]\nLookAndFeelPackage=org.kde.breeze\n"
                      "AnimationDurationFactor[$i]=0\n"));
    testing::FakePortal portal;
    portal.values[interface + u' ' + animations] = true;
    Observed observed;
    PortalSystemPreferences adapter(observed.preferences, kdeglobals);
    adapter.start();
    EXPECT_TRUE(observed.reduceMotion()) << "the file is read at start";
    ASSERT_TRUE(waitUntil([&] { return portal.reads == 2; }));
    ASSERT_TRUE(testing::busRoundTrip(QDBusConnection::sessionBus()));
    EXPECT_TRUE(observed.reduceMotion()) << "either source turning animations off is enough";

    ASSERT_TRUE(write("[KDE]\nAnimationDurationFactor=1\n"));
    ASSERT_TRUE(waitUntil([&] { return !observed.reduceMotion(); }));
    ASSERT_TRUE(write("[KDE]\nAnimationDurationFactor=0.0\n"));
    ASSERT_TRUE(waitUntil([&] { return observed.reduceMotion(); }));
    EXPECT_EQ(observed.appearanceChanges, 0);
}

TEST(PortalSystemPreferences, NothingAnsweringKeepsTheDefaultsQuietly) {
    QTemporaryDir dir;
    Observed observed;
    PortalSystemPreferences adapter(observed.preferences, dir.filePath(QStringLiteral("missing/kdeglobals")));
    adapter.start();
    PortalSystemPreferences noBus(observed.preferences, {}, QDBusConnection(QStringLiteral("none")));
    noBus.start();
    ASSERT_TRUE(testing::busRoundTrip(QDBusConnection::sessionBus()));
    EXPECT_FALSE(observed.reduceMotion());
    EXPECT_TRUE(observed.dark());
    EXPECT_EQ(observed.motionChanges + observed.appearanceChanges, 0);
}

} // namespace
} // namespace vornela
