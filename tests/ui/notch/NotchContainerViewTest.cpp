#include "support/NotchWorld.h"

#include "UiTestPictures.h"
#include "core/store/PreferenceKeys.h"
#include "ui/activity/ActivityHeatMapView.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/IdleMemory.h"
#include "ui/dashboard/DashboardButton.h"
#include "ui/dashboard/HoverHomeView.h"
#include "ui/dashboard/WaterTrackingView.h"
#include "ui/notch/NotchContainerView.h"
#include "ui/notch/NotchHoverTracker.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

namespace {

using K = NudgeKindID;

// A real view model on virtual time with the view sized as the notch window sizes its panel.
struct ViewWorld : NotchWorld {
    explicit ViewWorld(std::vector<ScreenInfo> screens = {notchedLaptop()}) : NotchWorld(std::move(screens)) {
        view = std::make_unique<NotchContainerView>(*vm, desktop.system, scheduler, driver);
        view->onPointerInsideChanged = [this](bool inside) {
            events.push_back(inside ? "inside" : "outside");
            window->pointerInsideChanged(inside);
        };
        view->onNotchClicked = [this] {
            events.push_back("click");
            window->notchClicked();
        };
        fit();
    }

    void fit() {
        const Size s = vm->layoutMetrics.get().windowSize;
        view->resize(int(std::ceil(s.width)), int(std::ceil(s.height)));
    }
    void settle() {
        advance(1);
        fit();
    }
    void record(int waterML, int breaks, int moves, int lunches) {
        health->logWater(waterML);
        for (auto [kind, count] : {std::pair{K::eyeBreak, breaks}, std::pair{K::standMove, moves},
                                   std::pair{K::launch, lunches}}) {
            for (int i = 0; i < count; ++i)
                health->recordCompletion(kind);
        }
    }

    QImage paint(double scale = 2) const {
        QImage image((QSizeF(view->size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(ground);
        QPainter painter(&image);
        view->paintSurface(painter);
        return image;
    }
    QColor ground = Qt::transparent;
    AnimationDriver driver{scheduler};
    std::unique_ptr<NotchContainerView> view;
    std::vector<std::string> events;
};

// The dashboard, ruler and activity page hosted on black, shown (off screen) as in the panel so a
// resize lays them out at once.
struct SurfaceWorld : ViewWorld {
    SurfaceWorld() {
        view->hostOpenSurfaces(core->dashboard(), core->ruler(), core->activity());
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->show();
        ground = Qt::black;
    }
};

// The colour at a point in logical coordinates.
QColor at(const QImage& image, QPointF point) {
    return image.pixelColor((point * image.devicePixelRatio()).toPoint());
}

bool near(const QColor& c, Color expected, double tolerance = 0.12) {
    return std::abs(c.redF() - expected.red) < tolerance &&
           std::abs(c.greenF() - expected.green) < tolerance &&
           std::abs(c.blueF() - expected.blue) < tolerance;
}

void settle() {
    QCoreApplication::processEvents();
}

} // namespace

// The pill's look on a real desktop is VornelaAppTest's; here: it is drawn only without a camera notch.
TEST(NotchContainerView, ClosedDrawsThePillOnlyWhereThereIsNoHardwareNotch) {
    ViewWorld plain({externalDisplay("desk", 0, true)});
    const NotchLayoutMetrics m = plain.vm->layoutMetrics.get();
    EXPECT_EQ(at(plain.paint(), {m.anchorWidth / 2, m.anchorHeight / 2}).alpha(), 255);
    EXPECT_EQ(plain.view->grab().toImage().pixelColor(90, 16).alpha(), 255) << "the widget paints the same";

    ViewWorld notched;
    EXPECT_EQ(notched.state(), NotchState::closed());
    EXPECT_TRUE(opaqueBounds(notched.paint()).isEmpty()) << "the camera housing shows through";
}

// Frame by frame, the input shape following the clip on a real X server is NotchPanelShapeTest's;
// here: what is painted is the clip, and the hit shape is announced only when it moves.
TEST(NotchContainerView, PaintsTheClipFromTheAnchorToTheWholePanel) {
    ViewWorld w;
    int shapeChanges = 0;
    QObject::connect(w.view.get(), &NotchContainerView::hitShapeChanged, [&] { ++shapeChanges; });
    w.vm->presentNudge(K::eyeBreak, false);
    w.fit();
    const NotchLayoutMetrics m = w.vm->layoutMetrics.get();
    ASSERT_EQ(w.vm->contentRevealProgress(), 0);
    EXPECT_GT(shapeChanges, 0);

    // Reveal 0: only the anchor area.
    QImage image = w.paint();
    EXPECT_EQ(w.view->hitRect(),
              QRect(int(std::floor(m.leftExpansion)), 0, int(std::ceil(m.anchorWidth)), int(m.anchorHeight)));
    EXPECT_EQ(at(image, {m.leftExpansion + m.anchorWidth / 2, 4}).alpha(), 255);
    EXPECT_EQ(at(image, {4, 4}).alpha(), 0);
    EXPECT_EQ(at(image, {m.leftExpansion + m.anchorWidth / 2, m.anchorHeight + 20}).alpha(), 0);

    // Reveal 1: the whole panel, square top corners, the completion band included.
    w.advance(1);
    w.view->advanceFrame();
    const int settled = shapeChanges;
    w.view->advanceFrame();
    EXPECT_EQ(shapeChanges, settled) << "nothing moved, nothing announced";
    EXPECT_EQ(w.view->hitRect(), w.view->rect());
    image = w.paint();
    EXPECT_EQ(at(image, {1, 1}).alpha(), 255);
    EXPECT_EQ(at(image, {w.view->width() / 2.0, m.anchorHeight + 40}).alpha(), 255);
    EXPECT_EQ(at(image, {0.5, w.view->height() - 0.5}).alpha(), 0);
}

TEST(NotchContainerView, TheDriverRunsFramesWhileRevealingAndArmsNothingOnceIdle) {
    ViewWorld w;
    settle();
    EXPECT_FALSE(w.driver.isRunning()) << "a closed notch costs no timer";

    w.vm->presentNudge(K::eyeBreak, false);
    w.fit();
    settle();
    EXPECT_TRUE(w.driver.isRunning());
    EXPECT_FALSE(w.driver.pendingDelay()) << "the reveal runs at the display rate";

    w.advance(2);
    w.driver.tick();
    ASSERT_FALSE(w.vm->isContentRevealAnimating());
    ASSERT_TRUE(w.driver.pendingDelay()) << "a settled nudge only wakes for its next dot-matrix frame";
    EXPECT_GT(*w.driver.pendingDelay(), 0);

    w.desktop.system.reduceMotion.set(true);
    w.driver.tick();
    EXPECT_FALSE(w.driver.isRunning()) << "reduce motion holds a still picture";
    w.desktop.system.reduceMotion.set(false);

    w.vm->dismissNudge(false);
    w.advance(2);
    settle();
    w.driver.tick();
    EXPECT_EQ(w.state(), NotchState::closed());
    EXPECT_FALSE(w.driver.isRunning());
}

TEST(NotchContainerView, PointerReportsAndClicksReachTheModelAndButtonsWaitForTheReveal) {
    ViewWorld w;
    // Record only: the hosting rules would turn the click into the dashboard and hide the row.
    w.view->onPointerInsideChanged = [&](bool inside) { w.events.push_back(inside ? "inside" : "outside"); };
    w.view->onNotchClicked = [&] { w.events.push_back("click"); };
    w.vm->presentNudge(K::postureCheck, false);
    w.fit();
    NudgeInNotchCompletionRow* row = w.view->completionRow();
    ASSERT_NE(row, nullptr);
    NudgeSurfaceButton* complete = row->actionRow().completeButton();
    ASSERT_NE(complete, nullptr);
    EXPECT_GE(complete->geometry().top(), int(w.vm->layoutMetrics.get().anchorHeight));

    // Too early in the reveal: the press is still a notch click, but the button ignores it.
    click(*complete);
    EXPECT_EQ(w.events, (std::vector<std::string>{"inside", "click"}));
    EXPECT_EQ(w.health->completedToday(K::postureCheck), 0);

    w.advance(2);
    w.view->advanceFrame();
    ASSERT_EQ(w.state(), NotchState::nudge(K::postureCheck));
    click(*complete);
    EXPECT_EQ(w.health->completedToday(K::postureCheck), 1) << "a revealed button completes the nudge";

    // Outside the drawn shape the hosting rules say "not inside".
    w.events.clear();
    w.view->visualHitTest = [](QPointF p, QRectF) { return p.y() < 10; };
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 20), w.view->mapToGlobal(QPointF(5, 20)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.view.get(), &move);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.view.get(), &leave);
    click(*w.view, QPointF(5, 5));
    EXPECT_EQ(w.events, (std::vector<std::string>{"outside", "inside", "click"}));

    // Qt may give the enter and the leave to the window the view fills instead of to the view.
    QWidget window;
    w.view->setParent(&window);
    w.events.clear();
    QEvent leaveWindow(QEvent::Leave);
    QApplication::sendEvent(&window, &leaveWindow);
    QEnterEvent enterWindow(QPointF(5, 5), QPointF(5, 5), w.view->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&window, &enterWindow);
    QApplication::sendEvent(&window, &leaveWindow);
    EXPECT_EQ(w.events, (std::vector<std::string>{"outside", "inside", "outside"}));
    w.view->setParent(nullptr);
}

TEST(NotchContainerView, HoveringANudgeKeepsItsCompletionRowWorkingAtTheBottomOfTheDashboard) {
    ViewWorld w;
    w.vm->presentNudge(K::postureCheck, false);
    w.fit();
    w.advance(2);
    w.enter(); // the pointer rests on the nudge: the dashboard opens over it
    w.advance(2);
    w.fit();
    w.view->advanceFrame();
    ASSERT_EQ(w.state(), NotchState::hoverExpanded());
    ASSERT_EQ(w.vm->layoutMetrics.get().downExpansion, 168 + NotchViewModel::completionRowHeight);

    NudgeInNotchCompletionRow* row = w.view->completionRow();
    ASSERT_NE(row, nullptr) << "the held nudge's buttons stay in the grown hover layout";
    NudgeSurfaceButton* dismiss = row->actionRow().dismissButton();
    ASSERT_NE(dismiss, nullptr);
    ASSERT_TRUE(dismiss->isVisibleTo(w.view.get()));
    EXPECT_GE(dismiss->geometry().top(), w.view->height() - int(NotchViewModel::completionRowHeight));
    EXPECT_LE(dismiss->geometry().bottom(), w.view->height());
    // Drawn where it takes clicks: the button's label is bright on the black surface.
    const QImage label = w.paint(1).copy(dismiss->geometry());
    EXPECT_GT(inkBounds(label, [](QColor c) { return c.lightness() > 150; }).width(), 10);

    click(*dismiss);
    EXPECT_FALSE(w.vm->nudgeCompletionUI.get()) << "Ignore ends the prompt";
    EXPECT_FALSE(w.vm->nudgeOverlay.get());
    EXPECT_EQ(w.state(), NotchState::hoverExpanded()) << "and the dashboard stays under the pointer";
    EXPECT_EQ(w.vm->layoutMetrics.get().downExpansion, 168);
}

TEST(NotchHoverTracker, FollowsThePointerAndTheControlsMoves) {
    std::vector<bool> reports;
    NotchHoverTracker tracker([&](bool hovered) { reports.push_back(hovered); });
    tracker.setRect(QRectF(10, 10, 20, 20));
    tracker.pointerMoved({15, 15});
    tracker.pointerMoved({16, 16});
    tracker.setRect(QRectF(40, 10, 20, 20)); // the control moved away under a still pointer
    tracker.pointerMoved({45, 15});
    tracker.pointerLeft();
    EXPECT_EQ(reports, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(tracker.isHovered());
}

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
        EXPECT_TRUE(near(at(image, right), tier)) << score;
        EXPECT_EQ(near(at(image, left), tier), score == 90) << score;
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
        return near(at(w.paint(), {bar.left() + share * bar.width(), bar.center().y()}), blue);
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
    const double dimmed = at(w.paint(), fill).blueF();
    ruler.plusButton()->click();
    w.settle();
    const double lit = at(w.paint(), fill).blueF();
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
            thriving = near(at(image, {x, y}), tierColor(BalanceTier::thriving), 0.05);
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
