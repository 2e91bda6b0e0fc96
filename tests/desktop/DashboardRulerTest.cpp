#include "support/AppProcess.h"
#include "support/X11Probe.h"

#include "core/notch/NotchGeometry.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/activity/ActivityHeatMapView.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/HoverHomeView.h"
#include "ui/dashboard/WaterTrackingView.h"

#include <QDate>

#include <QFile>
#include <gtest/gtest.h>

namespace vornela {
namespace {

using test::AppProcess;
using test::restingPill;

// The app's notch window once it rests as the pill; 0 when it does not show.
quint32 restingNotch(const X11Probe& probe, const AppProcess& app) {
    quint32 notch = 0;
    X11Probe::waitUntil(
        [&] {
            for (quint32 window : probe.topLevelWindows(app.pid()))
                if (probe.isViewable(window) && probe.geometry(window) == restingPill)
                    notch = window;
            return notch != 0;
        },
        15);
    return notch;
}

// Rest on the notch, open the ruler from "Track water", drag it 80 px to the left and
// log the litre with Track: the real binary, its real panel and pointer input through XTest.
TEST(DashboardAndRuler, WaterIsLoggedByDraggingTheRuler) {
    X11Probe probe;
    ASSERT_TRUE(probe.isConnected());
    ensureInterfaceFont(); // the same metrics as the app, to find its controls
    AppProcess app;
    app.writePreferences({{"hasCompletedOnboarding", true}, {"remindersEnabled", false}});
    app.start();
    const quint32 notch = restingNotch(probe, app);
    ASSERT_NE(notch, 0u) << app.standardError().toStdString();

    const double dashboardDown = expansions(NotchWindowAlignment::hoverExpanded(0)).down;
    const double rulerDown = expansions(NotchWindowAlignment::waterTracking(0)).down;
    ASSERT_TRUE(X11Probe::movePointer(restingPill.center()));
    ASSERT_TRUE(
        X11Probe::waitUntil([&] { return probe.geometry(notch).height() == 32 + int(dashboardDown); }, 10));
    const QRect open = probe.geometry(notch);
    // Settled: the input shape, which follows the drawn outline, spans the whole grown window.
    ASSERT_TRUE(X11Probe::waitUntil([&] {
        QRect spanned;
        for (const QRect& row : probe.inputShape(notch))
            spanned |= row;
        return spanned == QRect(QPoint(0, 0), open.size());
    }));
    // The content takes clicks once the window's transition has ended, a moment after the shape.
    X11Probe::waitUntil([] { return false; }, 0.5);
    const auto dashboard = HoverHomeView::layoutIn(QRectF(0, 32, open.width(), dashboardDown));

    // "Track water": the ruler.
    const QPointF plus = HoverHomeView::chipActionRect(dashboard.chips[HoverHomeModel::water]).center();
    ASSERT_TRUE(X11Probe::movePointer(open.topLeft() + plus.toPoint()));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(
        X11Probe::waitUntil([&] { return probe.geometry(notch).height() == 32 + int(rulerDown); }, 10));
    X11Probe::waitUntil([] { return false; }, 0.5); // the resize settles
    const auto ruler = WaterTrackingView::layoutIn(QRectF(0, 32, open.width(), rulerDown),
                                                   WaterAmountReadout::boxWidth(2000));
    ASSERT_TRUE(X11Probe::movePointer(open.topLeft() + ruler.ruler.center().toPoint()));
    ASSERT_TRUE(X11Probe::dragBy(-80));

    ASSERT_TRUE(X11Probe::movePointer(open.topLeft() + ruler.track.center().toPoint()));
    ASSERT_TRUE(X11Probe::click());
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] {
            const auto prefs = app.readPreferences();
            return prefs.value("waterIntakeML", 0) == 1000 &&
                   prefs.value("waterIntakeDay", "") == today.toStdString();
        },
        5))
        << app.readPreferences().dump();
    EXPECT_TRUE(X11Probe::waitUntil([&] { return probe.geometry(notch) == restingPill; }, 5))
        << "the notch closes after Track";
    // A closed notch gives back the fonts it drew with: no font file stays mapped.
    const QString maps = QStringLiteral("/proc/%1/maps").arg(app.pid());
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] {
            QFile file(maps);
            return file.open(QIODevice::ReadOnly) && !file.readAll().contains("/share/fonts/");
        },
        10));
}

// The dashboard's activity button opens the heat map; its share button opens the preview window.
TEST(DashboardAndRuler, TheActivityPageSharesThroughThePreviewWindow) {
    X11Probe probe;
    ASSERT_TRUE(probe.isConnected());
    ensureInterfaceFont();
    AppProcess app;
    app.writePreferences({{"hasCompletedOnboarding", true},
                          {"remindersEnabled", false},
                          {"dailyBalanceHistory",
                           {{QDate::currentDate().addDays(-1).toString(Qt::ISODate).toStdString(), 90}}}});
    app.start();
    const quint32 notch = restingNotch(probe, app);
    ASSERT_NE(notch, 0u) << app.standardError().toStdString();
    const double dashboardDown = expansions(NotchWindowAlignment::hoverExpanded(0)).down;
    const double activityDown = expansions(NotchWindowAlignment::activityHeatMap(0)).down;
    ASSERT_TRUE(X11Probe::movePointer(restingPill.center()));
    ASSERT_TRUE(
        X11Probe::waitUntil([&] { return probe.geometry(notch).height() == 32 + int(dashboardDown); }, 10));
    X11Probe::waitUntil([] { return false; }, 0.8); // the transition ends and the content takes clicks
    const QRect open = probe.geometry(notch);
    const auto dashboard = HoverHomeView::layoutIn(QRectF(0, 32, open.width(), dashboardDown));
    ASSERT_TRUE(X11Probe::movePointer(open.topLeft() + dashboard.activityButton.center().toPoint()));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(
        X11Probe::waitUntil([&] { return probe.geometry(notch).height() == 32 + int(activityDown); }, 10));
    X11Probe::waitUntil([] { return false; }, 0.8);

    const ActivityHeatMapGrid none;
    const double chartHeight =
        ActivityHeatMapChart(none, ActivityHeatMapChartStyle::notch, 1).size().height();
    const auto page = ActivityHeatMapView::layoutIn(QRectF(0, 32, open.width(), activityDown), chartHeight);
    ASSERT_TRUE(X11Probe::movePointer(open.topLeft() + page.share.center().toPoint()));
    ASSERT_TRUE(X11Probe::click());
    quint32 preview = 0;
    EXPECT_TRUE(X11Probe::waitUntil(
        [&] {
            for (quint32 window : probe.topLevelWindows(app.pid()))
                if (probe.isViewable(window) && probe.textProperty(window, QStringLiteral("_NET_WM_NAME")) ==
                                                    QStringLiteral("Share Work Rhythm"))
                    preview = window;
            return preview != 0;
        },
        10))
        << app.standardError().toStdString();
    if (preview) {
        EXPECT_EQ(probe.geometry(preview).size(), QSize(580, 640));
    }
}

} // namespace
} // namespace vornela
