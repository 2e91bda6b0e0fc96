#include "support/AppProcess.h"
#include "support/ShapeRows.h"
#include "support/X11Probe.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string_view>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace vornela {
namespace {

using test::AppProcess;
using test::minutesFromNow;
using test::quietDay;
using test::restingPill;

class VornelaApp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.isConnected());
        // A white desktop, so what the app draws (and what it leaves clear) can be told apart.
        desktop.setAutoFillBackground(true);
        QPalette palette = desktop.palette();
        palette.setColor(QPalette::Window, Qt::white);
        desktop.setPalette(palette);
        desktop.setWindowFlag(Qt::FramelessWindowHint);
        desktop.setGeometry(0, 0, 1920, 400);
        desktop.show();
        const auto id = quint32(desktop.winId());
        ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.isViewable(id); }));
    }

    // The app's overlay at the top centre of the screen, once it is on screen.
    quint32 waitForNotch(AppProcess& app) {
        quint32 found = 0;
        X11Probe::waitUntil(
            [&] {
                if (!app.isRunning()) // gone: its pid reads 0, which would name this process
                    return true;
                for (quint32 window : probe.topLevelWindows(app.pid())) {
                    const QRect g = probe.geometry(window);
                    if (probe.isViewable(window) && g.top() == 0 && g.contains(QPoint(960, 0)))
                        found = window;
                }
                return found != 0;
            },
            15);
        return found;
    }

    bool waitForGeometry(quint32 window, const std::function<bool(const QRect&)>& predicate,
                         double seconds = 10) {
        return X11Probe::waitUntil([&] { return predicate(probe.geometry(window)); }, seconds);
    }

    X11Probe probe;
    QWidget desktop;
};

TEST_F(VornelaApp, BareNotchIsTheFallbackPillDockedOnAllDesktopsWithoutATaskbarEntry) {
    AppProcess app;
    app.writePreferences(quietDay());
    app.start();
    const quint32 notch = waitForNotch(app);
    ASSERT_NE(notch, 0u) << app.standardError().toStdString();

    EXPECT_EQ(probe.geometry(notch), restingPill);
    EXPECT_EQ(probe.atomListProperty(notch, "_NET_WM_WINDOW_TYPE").value_or(QStringList()).value(0),
              "_NET_WM_WINDOW_TYPE_DOCK");
    EXPECT_EQ(probe.cardinalProperty(notch, "_NET_WM_DESKTOP").value_or(std::vector<quint32>{}),
              std::vector<quint32>{0xFFFFFFFFu});
    const QStringList state = probe.atomListProperty(notch, "_NET_WM_STATE").value_or(QStringList());
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_TASKBAR")) << state.join(' ').toStdString();
    EXPECT_TRUE(state.contains("_NET_WM_STATE_SKIP_PAGER")) << state.join(' ').toStdString();

    // At rest the pill's outline takes the pointer: not its soft bottom corners, which belong to
    // the window beneath. Without a compositor the same pixels are the window's shape, the same on
    // both sides.
    const QRegion input = regionOf(probe.inputShape(notch));
    EXPECT_EQ(input.boundingRect(), QRect(QPoint(0, 0), restingPill.size()));
    EXPECT_FALSE(input.contains(QPoint(0, 31)));
    EXPECT_FALSE(input.contains(QPoint(restingPill.width() - 1, 31)));
    const QRegion bounding = regionOf(probe.boundingShape(notch));
    EXPECT_EQ(unmirroredRows(bounding, restingPill.width()), 0);
    EXPECT_EQ(bounding, input);
    // The pill is drawn over a white desktop: dark inside, the desktop beside it and below its soft
    // bottom corners.
    const QRect area(restingPill.left() - 10, 0, restingPill.width() + 20, 40);
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] { return probe.grab(area).pixelColor(10 + restingPill.width() / 2, 8).lightness() < 30; }));
    const QImage shot = probe.grab(area);
    EXPECT_EQ(shot.pixelColor(4, 8), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(10 + 1, 30), QColor(Qt::white)) << "rounded bottom-left corner";
    EXPECT_EQ(shot.pixelColor(10 + restingPill.width() / 2, 36), QColor(Qt::white));
}

TEST_F(VornelaApp, LunchDueAtLaunchGrowsTheNotchToTheNudgeWithItsCompletionRow) {
    AppProcess app;
    nlohmann::json prefs = quietDay();
    prefs["nudgeEnabled_launch"] = true;
    prefs["launchTimeMinutes"] = minutesFromNow(-1);
    app.writePreferences(prefs);
    app.start();
    const quint32 notch = waitForNotch(app);
    ASSERT_NE(notch, 0u) << app.standardError().toStdString();

    // The nudge layout: wider on both sides for the message and the animation, 44 points deeper for
    // "Mark completed" and "Ignore".
    ASSERT_TRUE(waitForGeometry(notch, [](const QRect& g) { return g.height() == 32 + 44; }))
        << "geometry " << probe.geometry(notch).width() << "x" << probe.geometry(notch).height();
    const QRect grown = probe.geometry(notch);
    EXPECT_GT(grown.width(), restingPill.width());
    EXPECT_EQ(grown.center().x(), restingPill.center().x()) << "grows evenly about the notch";
    // Settled: the whole grown outline takes the pointer.
    ASSERT_TRUE(X11Probe::waitUntil([&] {
        return regionOf(probe.inputShape(notch)).boundingRect() == QRect(QPoint(0, 0), grown.size());
    }));

    // The message is drawn in white right of the camera; the buttons fill the band below (away from
    // the soft corners, where the white desktop shows).
    QImage shot;
    auto brightIn = [&](const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += shot.pixelColor(x, y).lightness() > 200;
        return count;
    };
    const int anchorLeft = restingPill.left() - grown.left();
    const QRect message(anchorLeft + restingPill.width() + 1, 4,
                        grown.width() - anchorLeft - restingPill.width() - 20, 24);
    EXPECT_TRUE(X11Probe::waitUntil([&] {
        shot = probe.grab(grown);
        return brightIn(message) > 20;
    })) << "message text";
    EXPECT_EQ(brightIn(QRect(anchorLeft + 10, 2, restingPill.width() - 20, 28)), 0)
        << "nothing over the camera";
    EXPECT_GT(brightIn(QRect(20, 34, grown.width() - 40, 30)), 20) << "button labels";
    // No second card on the same screen: the notch carries the prompt.
    int viewable = 0;
    for (quint32 window : probe.topLevelWindows(app.pid()))
        viewable += probe.isViewable(window) && probe.geometry(window).width() > 1;
    EXPECT_EQ(viewable, 1);
}

TEST_F(VornelaApp, ASecondLaunchInTheSameSessionExitsWithoutASecondPanel) {
    AppProcess first;
    first.writePreferences(quietDay());
    first.start();
    ASSERT_NE(waitForNotch(first), 0u);

    AppProcess second(first.runtimeDirectory());
    second.writePreferences(quietDay());
    second.start();
    const qint64 secondPid = second.pid();
    EXPECT_EQ(second.waitForExit(15), 0);
    EXPECT_TRUE(second.standardError().contains("already running"));
    EXPECT_TRUE(probe.topLevelWindows(secondPid).empty());
    EXPECT_TRUE(first.isRunning());
}

TEST_F(VornelaApp, ADeeplyNestedPreferencesFileIsSetAsideAndSaidOnStandardError) {
    AppProcess app;
    const std::string deep = R"({"hasCompletedOnboarding": true, "junk": )" + std::string(100'000, '[') +
                             std::string(100'000, ']') + "}";
    app.writePreferencesText(deep);
    app.start();
    const QString folder = QFileInfo(app.preferencesPath()).absolutePath();
    ASSERT_TRUE(X11Probe::waitUntil([&] { return app.standardError().contains("kept as"); }, 15))
        << app.standardError().toStdString();
    const QStringList copies = QDir(folder).entryList({"preferences.json.corrupt-*"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(app.standardError().contains(folder + "/" + copies[0])) << app.standardError().toStdString();
    QFile copy(folder + "/" + copies[0]);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll().toStdString(), deep);

    X11Probe::waitUntil([] { return false; }, 1);
    ASSERT_TRUE(app.isRunning()) << "it runs on from the defaults";
    app.sendSignal(SIGTERM);
    EXPECT_EQ(app.waitForExit(15), 0);
    EXPECT_TRUE(app.readPreferences().is_object());
}

// SIGKILLs the app the moment a save has created its temporary file. False when no save began.
bool killInsideTheFirstSave(AppProcess& app) {
    const QString folder = QFileInfo(app.preferencesPath()).absolutePath();
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ::inotify_add_watch(watch, folder.toLocal8Bit().constData(), IN_CREATE);
    app.start();
    bool killed = false;
    for (int waited = 0; !killed && waited < 150; ++waited) {
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 100) <= 0)
            continue;
        alignas(inotify_event) char buffer[4096];
        const ssize_t got = ::read(watch, buffer, sizeof buffer);
        for (char* at = buffer; got > 0 && at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (!killed && event->len && std::string_view(event->name).starts_with("preferences.json.tmp")) {
                app.sendSignal(SIGKILL);
                killed = true;
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    return killed && app.waitForExit(5) == 128 + SIGKILL;
}

// Killed inside a save, the file stays whole; the next start cleans up after the save, and
// SIGTERM then saves what was there and what launch wrote.
TEST_F(VornelaApp, KilledInsideASaveItStartsAgainWithTheFileWhole) {
    nlohmann::json prefs = quietDay();
    prefs["notes"] = std::string(4 << 20, 'n'); // a save long enough to be caught in the middle
    std::unique_ptr<AppProcess> app;
    QString folder;
    const auto temporaries = [&] { return QDir(folder).entryList({"preferences.json.tmp*"}).size(); };
    // Should the kill land just after the save (a fast disk, a busy machine), try again.
    for (int attempt = 0; attempt < 3 && !(app && temporaries() == 1); ++attempt) {
        app = std::make_unique<AppProcess>();
        app->writePreferences(prefs);
        folder = QFileInfo(app->preferencesPath()).absolutePath();
        ASSERT_TRUE(killInsideTheFirstSave(*app)) << "no save began";
        ASSERT_TRUE(app->readPreferences().is_object());
    }
    EXPECT_EQ(app->readPreferences(), prefs) << "the interrupted save left the file as it was";
    ASSERT_EQ(temporaries(), 1) << "killed inside the save";

    app->start();
    ASSERT_NE(waitForNotch(*app), 0u) << app->standardError().toStdString();
    EXPECT_EQ(temporaries(), 0);
    app->sendSignal(SIGTERM);
    EXPECT_EQ(app->waitForExit(15), 0);
    const nlohmann::json saved = app->readPreferences();
    ASSERT_TRUE(saved.is_object());
    EXPECT_EQ(saved["notes"], prefs["notes"]);
    EXPECT_EQ(saved.value("hasCompletedOnboarding", false), true);
    EXPECT_EQ(saved.value("legacyWaterGoalDefaultMigrated", false), true);
    EXPECT_TRUE(saved.contains("dailyBalanceHistory"));
    EXPECT_FALSE(app->standardError().contains("kept as")) << app->standardError().toStdString();
}

TEST_F(VornelaApp, WithoutADisplayItSaysSoAndExitsWithStatusOne) {
    AppProcess app;
    app.writePreferences(quietDay());
    app.start({"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(app.waitForExit(15), 1);
    EXPECT_TRUE(app.standardError().contains("display"));
}

TEST_F(VornelaApp, ASessionThatAsksQtForWaylandStillGetsTheX11OverlayAndSaysSoOnce) {
    AppProcess app;
    app.writePreferences(quietDay());
    app.start({}, {{"QT_QPA_PLATFORM", "wayland"}, {"WAYLAND_DISPLAY", "wayland-vornela-test"}});
    ASSERT_NE(waitForNotch(app), 0u) << "exit " << app.waitForExit(0) << ": "
                                     << app.standardError().toStdString();
    const QString said = app.standardError();
    EXPECT_EQ(said.count("using xcb"), 1) << said.toStdString();
}

TEST_F(VornelaApp, UnderWaylandWithoutXWaylandItSaysWhatIsMissing) {
    AppProcess app;
    app.writePreferences(quietDay());
    app.start({"DISPLAY"}, {{"WAYLAND_DISPLAY", "wayland-0"}});
    EXPECT_EQ(app.waitForExit(15), 1);
    const QString said = app.standardError();
    EXPECT_TRUE(said.contains("XWayland")) << said.toStdString();
}

} // namespace
} // namespace vornela
