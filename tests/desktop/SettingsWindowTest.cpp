#include "support/AppProcess.h"
#include "support/CoreWorld.h"
#include "support/X11Probe.h"

#include "core/notch/NotchGeometry.h"
#include "fakes/FakeSettingsPorts.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/Typography.h"
#include "ui/base/WindowTheme.h"
#include "ui/dashboard/HoverHomeView.h"
#include "ui/settings/GeneralSettingsPane.h"
#include "ui/settings/SettingsWindow.h"

#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

namespace vornela {
namespace {

using test::AppProcess;
using test::restingPill;

quint32 viewableWindow(const X11Probe& probe, const AppProcess& app,
                       const std::function<bool(quint32)>& match) {
    for (quint32 window : probe.topLevelWindows(app.pid()))
        if (probe.isViewable(window) && match(window))
            return window;
    return 0;
}

// Where the water goal's menu sits in a settings window of the default size: the same window,
// laid out here with the app's style and font, never shown on screen.
QPoint waterPickerCentre() {
    vornela::testing::CoreWorld world("Europe/Berlin", 2026, 3, 10);
    fakes::FakeUpdater updater;
    fakes::FakeLoginItem loginItem;
    AnimationDriver driver(world.scheduler);
    SettingsWindow window(SettingsServices{world.core->settingsWindow(),
                                           world.core->settings(),
                                           world.core->preferences(),
                                           world.core->engine(),
                                           updater,
                                           loginItem,
                                           world.desktop.system,
                                           world.scheduler,
                                           driver,
                                           {}});
    WindowTheme::apply(window, false);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    world.core->settingsWindow().willShow();
    window.resize(SettingsWindow::defaultSize);
    window.show();
    QApplication::processEvents();
    const QComboBox* picker = window.general()->goalPicker(SettingsActions::Goal::water);
    return picker->mapTo(&window, picker->rect().center());
}

// The dashboard's gear opens Settings; its water goal menu writes the file and the dashboard's
// chip; the gear again brings back the same window.
TEST(SettingsWindow, TheGearOpensOneSettingsWindowWhoseGoalReachesTheDashboard) {
    X11Probe probe;
    ASSERT_TRUE(probe.isConnected());
    ensureInterfaceFont();
    const QPoint pickerCentre = waterPickerCentre();
    AppProcess app;
    app.writePreferences({{"hasCompletedOnboarding", true}, {"remindersEnabled", false}});
    app.start();
    quint32 notch = 0;
    ASSERT_TRUE(X11Probe::waitUntil(
        [&] {
            return (notch = viewableWindow(probe, app,
                                           [&](quint32 w) { return probe.geometry(w) == restingPill; }));
        },
        15))
        << app.standardError().toStdString();

    const double dashboardDown = expansions(NotchWindowAlignment::hoverExpanded(0)).down;
    // Hovers the notch until the dashboard takes clicks; returns its layout.
    const auto openDashboard = [&] {
        X11Probe::movePointer(restingPill.center());
        X11Probe::waitUntil([&] { return probe.geometry(notch).height() == 32 + int(dashboardDown); }, 10);
        X11Probe::waitUntil([] { return false; }, 0.8);
        return HoverHomeView::layoutIn(QRectF(0, 32, probe.geometry(notch).width(), dashboardDown));
    };
    const auto clickGear = [&](const HoverHomeView::Layout& dashboard) {
        X11Probe::movePointer(probe.geometry(notch).topLeft() + dashboard.settingsButton.center().toPoint());
        X11Probe::click();
    };
    const auto settingsWindow = [&] {
        return viewableWindow(probe, app, [&](quint32 w) {
            return probe.textProperty(w, QStringLiteral("_NET_WM_NAME")) == QStringLiteral("Settings");
        });
    };

    auto dashboard = openDashboard();
    const QRect chip =
        dashboard.chips[HoverHomeModel::water].toAlignedRect().translated(probe.geometry(notch).topLeft());
    const QImage chipBefore = probe.grab(chip);
    clickGear(dashboard);
    quint32 settings = 0;
    ASSERT_TRUE(X11Probe::waitUntil([&] { return (settings = settingsWindow()); }, 10))
        << app.standardError().toStdString();
    const QRect frame = probe.geometry(settings);
    EXPECT_EQ(frame.size(), SettingsWindow::defaultSize);

    // The menu opens on "2 L"; one step down is "2.5 L".
    X11Probe::movePointer(frame.topLeft() + pickerCentre);
    X11Probe::waitUntil([] { return false; }, 0.3);
    ASSERT_TRUE(X11Probe::click());
    X11Probe::waitUntil([] { return false; }, 0.5);
    ASSERT_TRUE(X11Probe::key(QStringLiteral("Down")));
    ASSERT_TRUE(X11Probe::key(QStringLiteral("Return")));
    EXPECT_TRUE(X11Probe::waitUntil([&] { return app.readPreferences().value("waterGoalML", 0) == 2500; }, 5))
        << app.readPreferences().dump();

    dashboard = openDashboard();
    EXPECT_NE(probe.grab(chip), chipBefore) << "the water chip shows the new goal";
    clickGear(dashboard);
    X11Probe::waitUntil([] { return false; }, 1);
    int settingsWindows = 0;
    for (quint32 window : probe.topLevelWindows(app.pid()))
        settingsWindows +=
            probe.textProperty(window, QStringLiteral("_NET_WM_NAME")) == QStringLiteral("Settings");
    EXPECT_EQ(settingsWindows, 1);
    EXPECT_EQ(settingsWindow(), settings);
}

} // namespace
} // namespace vornela
