// The real binary's notch under whatever window manager or compositor with-wm.sh started (named in
// VORNELA_WM). One run per environment; each test is one check of the matrix.
#include "WmEnvironment.h"
#include "support/AppProcess.h"
#include "support/X11Probe.h"

#include "core/base/SystemPreferences.h"
#include "platform/time/SystemClock.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace vornela {
namespace {

using test::AppProcess;
using test::quietDay;
using test::restingPill;

// The dashboard grows 140 on each side of the resting pill and 168 down.
const QSize dashboard{459, 200};
const QSize dashboardWithRow{459, 244};

std::string describe(const QRect& r) {
    std::ostringstream out;
    out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    return out.str();
}

// A maximized, undecorated white window on every desktop that remembers the presses it gets: what
// the notch leaves clear shows it, and clicks that pass the notch land on it.
class Backdrop : public QWidget {
public:
    Backdrop() {
        setWindowFlag(Qt::FramelessWindowHint);
        setWindowTitle(QStringLiteral("backdrop"));
    }
    std::vector<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        presses.push_back(event->globalPosition().toPoint());
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
};

class NotchOnTheDesktop : public ::testing::Test {
protected:
    static void SetUpTestSuite() { startApp(quietDay()); }
    static void TearDownTestSuite() {
        stopApp();
        backdrop.reset(); // while the application is still there
    }

    static void startApp(const nlohmann::json& preferences) {
        app = std::make_unique<AppProcess>();
        app->writePreferences(preferences);
        QList<QPair<QString, QString>> variables;
        // A Wayland session says so to every program it starts.
        if (!wm().waylandDisplay.isEmpty())
            variables.append({QStringLiteral("WAYLAND_DISPLAY"), wm().waylandDisplay});
        app->start({}, variables);
        notch = 0;
    }
    static void stopApp() {
        if (app) {
            // Its notch must be gone before the next app's appears at the same place.
            app->sendSignal(SIGTERM);
            app->waitForExit(10);
        }
        app.reset();
        notch = 0;
    }

    void SetUp() override {
        ASSERT_TRUE(probe.isConnected());
        if (!backdrop) {
            backdrop = std::make_unique<Backdrop>();
            backdrop->showMaximized();
            const auto id = quint32(backdrop->winId());
            ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.geometry(id).width() == 1920; }, 10))
                << "backdrop " << describe(probe.geometry(id));
            probe.sendRootMessage(id, "_NET_WM_DESKTOP", {0xFFFFFFFFu, 1});
            X11Probe::waitUntil([] { return false; }, 0.3); // drawn
        }
        ASSERT_TRUE(app && app->isRunning()) << (app ? app->standardError().toStdString() : "");
        if (!notch)
            notch = findNotch();
        ASSERT_NE(notch, 0u) << "no notch window: " << app->standardError().toStdString();
    }

    // The app's one viewable window that is not a 1 x 1 helper.
    quint32 findNotch() {
        quint32 found = 0;
        X11Probe::waitUntil(
            [&] {
                for (quint32 window : probe.windowsOf(app->pid())) {
                    if (probe.isViewable(window) && probe.geometry(window).width() > 1)
                        found = window;
                }
                return found != 0;
            },
            15);
        return found;
    }

    QRect notchGeometry() const { return probe.geometry(notch); }
    bool waitForNotch(const std::function<bool(const QRect&)>& predicate, double seconds = 3) const {
        return X11Probe::waitUntil([&] { return predicate(notchGeometry()); }, seconds);
    }
    bool waitForSize(QSize size, double seconds = 3) const {
        return waitForNotch([&](const QRect& g) { return g.size() == size; }, seconds);
    }
    bool waitForRest(double seconds = 3) const {
        return waitForNotch([](const QRect& g) { return g == restingPill; }, seconds);
    }
    static void pause(double seconds) {
        X11Probe::waitUntil([] { return false; }, seconds);
    }

    // What the screen shows, from the display that holds the picture.
    QImage grab(const QRect& rect) const { return screen.grab(rect); }
    bool canGrab() const { return screen.isConnected() && !wm().screenlessGrab; }

    // A point well away from the notch: over a surface of the compositor's own where there is one
    // (XWayland then stops reporting motion), else over the backdrop.
    static QPoint farAway(int i) {
        if (!wm().compositorSurface.isNull() && i % 2 == 0)
            return wm().compositorSurface;
        return {200, 700};
    }

    static const WmEnvironment& wm() { return WmEnvironment::current(); }

    X11Probe probe;
    X11Probe screen{qgetenv("VORNELA_SCREEN_DISPLAY")};
    static inline std::unique_ptr<AppProcess> app;
    static inline quint32 notch = 0;
    static inline std::unique_ptr<Backdrop> backdrop;
};

TEST_F(NotchOnTheDesktop, StaysAboveAMaximizedWindow) {
    ASSERT_TRUE(waitForRest(5));
    // Raised: the backdrop is the window that was active last.
    backdrop->raise();
    backdrop->activateWindow();
    pause(0.5);
    if (canGrab()) {
        const QImage shot = grab(restingPill.adjusted(-20, 0, 0, 0));
        ASSERT_GT(shot.pixelColor(5, 12).lightness(), 200) << "the white window reaches the top edge";
        EXPECT_LT(shot.pixelColor(20 + restingPill.width() / 2, 12).lightness(), 40)
            << "the pill's middle shows the notch, not the white window";
    } else {
        EXPECT_GT(probe.stackingIndex(probe.topLevelAncestor(notch)),
                  probe.stackingIndex(probe.topLevelAncestor(quint32(backdrop->winId()))));
    }
}

TEST_F(NotchOnTheDesktop, CornersAreClearAndNoShadowSurroundsTheNotch) {
    if (!canGrab())
        GTEST_SKIP() << "no picture of the screen here";
    ASSERT_TRUE(waitForRest(5));
    pause(0.3);
    // Around the pill, each pixel matches one further out on its row or column: no shadow, no
    // rectangle. Inside its soft bottom corners the backdrop shows through.
    const QRect area = restingPill.adjusted(-20, 0, 20, 20);
    const QImage shot = grab(area);
    const QPoint pill = restingPill.topLeft() - area.topLeft();
    auto same = [&](QPoint a, QPoint b) {
        const QColor ca = shot.pixelColor(a);
        const QColor cb = shot.pixelColor(b);
        return std::abs(ca.red() - cb.red()) + std::abs(ca.green() - cb.green()) +
                   std::abs(ca.blue() - cb.blue()) <=
               6;
    };
    int shadowed = 0;
    for (int y = 0; y < restingPill.height(); ++y) {
        for (int d = 1; d <= 8; ++d) {
            shadowed += !same(pill + QPoint(-d, y), pill + QPoint(-18, y));
            shadowed += !same(pill + QPoint(restingPill.width() - 1 + d, y),
                              pill + QPoint(restingPill.width() + 17, y));
        }
    }
    for (int x = 0; x < restingPill.width(); ++x) {
        for (int d = 0; d < 8; ++d)
            shadowed += !same(pill + QPoint(x, restingPill.height() + d),
                              pill + QPoint(x, restingPill.height() + 18));
    }
    EXPECT_EQ(shadowed, 0) << "pixels around the pill that differ from the desktop further out";
    const int bottom = restingPill.height() - 1;
    EXPECT_TRUE(same(pill + QPoint(0, bottom), pill + QPoint(-18, bottom))) << "bottom-left corner";
    EXPECT_TRUE(
        same(pill + QPoint(restingPill.width() - 1, bottom), pill + QPoint(restingPill.width() + 17, bottom)))
        << "bottom-right corner";
    EXPECT_LT(shot.pixelColor(pill + QPoint(restingPill.width() / 2, 12)).lightness(), 40);
}

TEST_F(NotchOnTheDesktop, ClicksOutsideTheOutlineReachTheWindowBeneath) {
    ASSERT_TRUE(waitForRest(5));
    ASSERT_TRUE(X11Probe::movePointer(restingPill.center()));
    ASSERT_TRUE(waitForSize(dashboard));
    pause(0.5); // revealed
    const QRect open = notchGeometry();
    backdrop->presses.clear();
    // In the dashboard's window but outside its soft bottom-left corner.
    const QPoint corner = open.bottomLeft() + QPoint(1, -1);
    ASSERT_TRUE(X11Probe::movePointer(corner));
    ASSERT_TRUE(X11Probe::click());
    EXPECT_TRUE(X11Probe::waitUntil([&] { return !backdrop->presses.empty(); }, 2))
        << "the click in the transparent corner went to the notch";
    // On the drawn surface the click stays with the notch.
    ASSERT_TRUE(X11Probe::movePointer(open.center()));
    ASSERT_TRUE(X11Probe::click());
    pause(0.3);
    EXPECT_LE(backdrop->presses.size(), 1u);
    ASSERT_TRUE(X11Probe::jumpPointer({200, 700}));
    EXPECT_TRUE(waitForRest());
}

TEST_F(NotchOnTheDesktop, ShowsOnEveryDesktopAndOpensAndClosesThere) {
    const auto desktops = probe.cardinalProperty(probe.root(), "_NET_NUMBER_OF_DESKTOPS");
    if (!desktops)
        GTEST_SKIP() << "no virtual desktops here";
    if (desktops->front() < 2) {
        probe.sendRootMessage(probe.root(), "_NET_NUMBER_OF_DESKTOPS", {2});
        ASSERT_TRUE(X11Probe::waitUntil([&] {
            return probe.cardinalProperty(probe.root(), "_NET_NUMBER_OF_DESKTOPS")
                       .value_or(std::vector<quint32>{0})[0] >= 2;
        })) << "the window manager keeps one desktop";
    }
    ASSERT_TRUE(waitForRest(5));
    EXPECT_EQ(probe.cardinalProperty(notch, "_NET_WM_DESKTOP").value_or(std::vector<quint32>{}),
              std::vector<quint32>{0xFFFFFFFFu});

    auto switchTo = [&](quint32 desktop) {
        probe.sendRootMessage(probe.root(), "_NET_CURRENT_DESKTOP", {desktop, 0});
        return X11Probe::waitUntil([&] {
            return probe.cardinalProperty(probe.root(), "_NET_CURRENT_DESKTOP")
                       .value_or(std::vector<quint32>{99})[0] == desktop;
        });
    };
    ASSERT_TRUE(switchTo(1));
    pause(0.3);
    EXPECT_TRUE(probe.isViewable(notch)) << "gone on the second desktop";
    if (canGrab()) {
        EXPECT_LT(grab(restingPill).pixelColor(restingPill.width() / 2, 12).lightness(), 40);
    }
    ASSERT_TRUE(X11Probe::jumpPointer(restingPill.center()));
    EXPECT_TRUE(waitForSize(dashboard)) << "opens on the second desktop";
    pause(0.4);
    ASSERT_TRUE(X11Probe::jumpPointer({200, 700}));
    EXPECT_TRUE(waitForRest()) << "closes on the second desktop: " << describe(notchGeometry());
    ASSERT_TRUE(switchTo(0));
}

TEST_F(NotchOnTheDesktop, HoverOpensAndOneFarMoveClosesTwentyTimesInARow) {
    ASSERT_TRUE(waitForRest(5)) << describe(notchGeometry());
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(::testing::Message() << "round " << i + 1);
        ASSERT_TRUE(X11Probe::jumpPointer(restingPill.center()));
        ASSERT_TRUE(waitForSize(dashboard)) << describe(notchGeometry());
        // Asked to move, it moves (a window manager that ignores moves would leave it behind).
        EXPECT_EQ(notchGeometry().topLeft(), QPoint(restingPill.left() - 140, 0));
        // Every other round the pointer leaves while the dashboard is still growing.
        if (i % 2 == 0)
            pause(0.5);
        ASSERT_TRUE(X11Probe::jumpPointer(farAway(i)));
        ASSERT_TRUE(waitForRest(1.5)) << "still open after a single move away: " << describe(notchGeometry());
    }
}

TEST_F(NotchOnTheDesktop, CornersFollowTheCompositorSwitchedOffAndOn) {
    if (wm().name != QLatin1String("xfwm4"))
        GTEST_SKIP() << "switches xfwm4's compositor";
    ASSERT_TRUE(canGrab());
    ASSERT_TRUE(waitForRest(5));
    auto cornerShowsBackdrop = [&] {
        const QImage shot = grab(restingPill);
        return shot.pixelColor(0, restingPill.height() - 1).lightness() > 200 &&
               shot.pixelColor(restingPill.width() - 1, restingPill.height() - 1).lightness() > 200;
    };
    auto composite = [&](bool on) {
        return QProcess::execute(QStringLiteral("xfconf-query"),
                                 {QStringLiteral("-c"), QStringLiteral("xfwm4"), QStringLiteral("-p"),
                                  QStringLiteral("/general/use_compositing"), QStringLiteral("-s"),
                                  on ? QStringLiteral("true") : QStringLiteral("false")}) == 0;
    };
    ASSERT_TRUE(X11Probe::waitUntil(cornerShowsBackdrop));
    ASSERT_TRUE(composite(false));
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.selectionOwner("_NET_WM_CM_S0") == 0; }, 10));
    EXPECT_TRUE(X11Probe::waitUntil(cornerShowsBackdrop, 2)) << "black corners without the compositor";
    ASSERT_TRUE(composite(true));
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.selectionOwner("_NET_WM_CM_S0") != 0; }, 10));
    EXPECT_TRUE(X11Probe::waitUntil(cornerShowsBackdrop, 2)) << "with the compositor back";
}

// A lunch nudge due at launch: the nudge layout with its completion row.
class NudgeOnTheDesktop : public NotchOnTheDesktop {
protected:
    static void SetUpTestSuite() {
        stopApp();
        nlohmann::json preferences = quietDay();
        preferences["nudgeEnabled_launch"] = true;
        preferences["launchTimeMinutes"] = test::minutesFromNow(-1);
        startApp(preferences);
    }
};

TEST_F(NudgeOnTheDesktop, TheCompletionRowTakesClicksWhileHovered) {
    ASSERT_TRUE(waitForNotch([](const QRect& g) { return g.height() == 32 + 44; }, 10))
        << describe(notchGeometry());
    const QRect nudge = notchGeometry();
    EXPECT_EQ(nudge.top(), 0);
    EXPECT_GT(nudge.width(), restingPill.width());
    EXPECT_EQ(nudge.center().x(), restingPill.center().x());

    ASSERT_TRUE(X11Probe::movePointer(restingPill.center()));
    ASSERT_TRUE(waitForSize(dashboardWithRow)) << describe(notchGeometry());
    EXPECT_EQ(notchGeometry().topLeft(), QPoint(restingPill.left() - 140, 0));
    pause(0.5); // revealed
    // Where the row places "Ignore" in the hover layout's bottom 44 points.
    SystemClock clock;
    SystemPreferences system;
    QWidget host;
    NudgeInNotchCompletionRow row(NudgeKindID::launch, {}, {}, clock, system, &host);
    row.setGeometry(QRectF(0, dashboardWithRow.height() - 44, dashboardWithRow.width(), 44));
    const QPoint ignore = notchGeometry().topLeft() + row.actionRow().dismissRect().center().toPoint();

    ASSERT_TRUE(X11Probe::movePointer(ignore));
    ASSERT_TRUE(X11Probe::click());
    EXPECT_TRUE(waitForSize(dashboard))
        << "the prompt stays after clicking Ignore: " << describe(notchGeometry());
    ASSERT_TRUE(X11Probe::jumpPointer({200, 700}));
    EXPECT_TRUE(waitForRest()) << describe(notchGeometry());
}

} // namespace
} // namespace vornela
