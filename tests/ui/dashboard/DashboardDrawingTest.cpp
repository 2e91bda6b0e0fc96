#include "support/NotchWorld.h"

#include "core/store/PreferenceKeys.h"
#include "ui/activity/ActivityHeatMapView.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/IdleMemory.h"
#include "ui/dashboard/DashboardButton.h"
#include "ui/dashboard/HoverHomeView.h"
#include "ui/dashboard/WaterTrackingView.h"
#include "ui/notch/NotchContainerView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace vornela;
using namespace vornela::testing;

namespace {

// The notch surface hosting the dashboard and the ruler, painted at scale 2 into an image.
struct SurfaceWorld : NotchWorld {
    SurfaceWorld() {
        view = std::make_unique<NotchContainerView>(*vm, desktop.system, scheduler, driver);
        view->hostOpenSurfaces(core->dashboard(), core->ruler(), core->activity());
        // Shown (off screen) as in its panel, so a resize lays the surfaces out at once.
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->show();
    }
    ~SurfaceWorld() { view.reset(); }

    void settle() {
        advance(1);
        const Size s = vm->layoutMetrics.get().windowSize;
        view->resize(int(std::ceil(s.width)), int(std::ceil(s.height)));
    }
    void record(int waterML, int breaks, int moves, int lunches) {
        health->logWater(waterML);
        for (auto [kind, count] :
             {std::pair{NudgeKindID::eyeBreak, breaks}, std::pair{NudgeKindID::standMove, moves},
              std::pair{NudgeKindID::launch, lunches}}) {
            for (int i = 0; i < count; ++i)
                health->recordCompletion(kind);
        }
    }
    QImage paint() const {
        QImage image(view->size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::black);
        QPainter painter(&image);
        view->paintSurface(painter);
        return image;
    }
    static QColor at(const QImage& image, QPointF point) { return image.pixelColor((point * 2).toPoint()); }

    AnimationDriver driver{scheduler};
    std::unique_ptr<NotchContainerView> view;
};

bool near(const QColor& c, Color expected, double tolerance = 0.12) {
    return std::abs(c.redF() - expected.red) < tolerance &&
           std::abs(c.greenF() - expected.green) < tolerance &&
           std::abs(c.blueF() - expected.blue) < tolerance;
}

} // namespace

TEST(DashboardDrawing, TheBadgeRingIsTrimmedToTheScore) {
    for (int score : {30, 90}) {
        SurfaceWorld w;
        if (score == 90)
            w.record(2000, 6, 2, 1); // 30 rest + 30 water + 40 × 2.25 / 3
        ASSERT_EQ(w.health->balanceScore.get().score, score);
        w.openDashboard();
        w.settle();
        const QImage image = w.paint();
        const QRectF badge = w.view->dashboardView()->layout().badge;
        const Color tier = tierColor(w.health->balanceScore.get().tier);
        // Clockwise from the middle of the top edge: the right side is within 30 %, the left
        // side only within 90 %.
        const QPointF right(badge.right() - 1.5, badge.center().y());
        const QPointF left(badge.left() + 1.5, badge.center().y());
        EXPECT_TRUE(near(SurfaceWorld::at(image, right), tier)) << score;
        EXPECT_EQ(near(SurfaceWorld::at(image, left), tier), score == 90) << score;
    }
}

TEST(DashboardDrawing, ChipBarsFillWithTheDay) {
    SurfaceWorld w;
    w.openDashboard();
    w.settle();
    const QRectF chip = w.view->dashboardView()->layout().chips[HoverHomeModel::water];
    const QRectF bar = HoverHomeView::chipBarRect(chip);
    const Color blue = w.core->dashboard().chips()[HoverHomeModel::water].progressColor;
    auto filled = [&](double share) {
        return near(SurfaceWorld::at(w.paint(), {bar.left() + share * bar.width(), bar.center().y()}), blue);
    };
    EXPECT_FALSE(filled(0.25));
    w.health->logWater(1000);
    w.settle();
    EXPECT_TRUE(filled(0.25));
    EXPECT_FALSE(filled(0.75));
    w.health->logWater(1500);
    w.settle();
    EXPECT_TRUE(filled(0.75)) << "over the goal: full";
}

TEST(DashboardDrawing, ReopensTheSameAfterTheClosedNotchGaveItsFontsBack) {
    SurfaceWorld w;
    w.record(1300, 2, 1, 0);
    w.openDashboard();
    w.settle();
    const QImage before = w.paint();
    w.leave();
    w.settle();
    ASSERT_TRUE(w.vm->notchState.get().is(NotchState::Case::closed));
    releaseIdleMemory();
    w.openDashboard();
    w.settle();
    EXPECT_TRUE(w.paint() == before) << "every label, figure and glyph drawn again as it was";
}

TEST(DashboardDrawing, TrackIsDimmedUntilThereIsWater) {
    SurfaceWorld w;
    w.health->setWaterGoal(3000);
    w.openDashboard();
    w.core->dashboard().perform(StatChip::QuickAction::trackWater);
    w.settle();
    WaterTrackingView& ruler = *w.view->rulerView();
    const QRectF track = ruler.layout().track;
    const QPointF fill(track.left() + 5, track.center().y());
    const double dimmed = SurfaceWorld::at(w.paint(), fill).blueF();
    ruler.plusButton()->click();
    w.settle();
    const double lit = SurfaceWorld::at(w.paint(), fill).blueF();
    EXPECT_NEAR(dimmed / lit, 0.45, 0.05);
    EXPECT_EQ(w.health->todayWaterML.get(), 0);
    ruler.trackButton()->click();
    EXPECT_EQ(w.health->todayWaterML.get(), 100);
}

TEST(ActivityPageDrawing, OpensFromTheDashboardShowsTodayAndItsButtonsShareAndGoBack) {
    SurfaceWorld w;
    // Today's own score is the day record's; yesterday's is history.
    const Calendar& calendar = w.core->ports().calendar;
    const std::string yesterday = calendar.dayKey(*calendar.addDays(w.scheduler.wallNow(), -1));
    w.preferences->write(keys::dailyBalanceHistory, IntMap{{yesterday, 90}});
    w.health->refresh();
    w.openDashboard();
    w.settle();
    w.view->dashboardView()->activityButton()->click();
    w.settle();
    ASSERT_EQ(w.state(), NotchState::activityHeatMap());
    ActivityHeatMapView& page = *w.view->activityView();

    // Somewhere in the chart a cell is thriving green: yesterday's score.
    const QImage image = w.paint();
    const QRectF chart = page.layout().chart;
    bool thriving = false;
    for (double x = chart.left(); x < chart.right() && !thriving; x += 1)
        for (double y = chart.top(); y < chart.bottom() && !thriving; y += 1)
            thriving = near(SurfaceWorld::at(image, {x, y}), tierColor(BalanceTier::thriving), 0.05);
    EXPECT_TRUE(thriving);

    EXPECT_EQ(page.accessiblePage()->accessibleName(), QStringLiteral("Activity heat map"));
    EXPECT_EQ(page.accessibleChart()->accessibleName(), QStringLiteral("Last three months, 2 tracked days"))
        << "yesterday's score and today's own";

    page.shareButton()->click();
    EXPECT_TRUE(w.core->sharePreview().isOpen());
    EXPECT_EQ(w.core->sharePreview().background(), ActivityShareBackground::mono);
    page.backButton()->click();
    EXPECT_EQ(w.state(), NotchState::hoverExpanded());
}
