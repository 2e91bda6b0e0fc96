#include "support/NotchWorld.h"

#include "ui/base/AnimationDriver.h"
#include "ui/base/QtConversions.h"
#include "ui/notch/NotchContainerView.h"
#include "ui/notch/NotchHoverTracker.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
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
    ~ViewWorld() { view.reset(); }

    void fit() {
        const Size s = vm->layoutMetrics.get().windowSize;
        view->resize(int(std::ceil(s.width)), int(std::ceil(s.height)));
    }

    QImage paint(double scale = 2) const {
        QImage image((QSizeF(view->size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view->paintSurface(painter);
        return image;
    }

    AnimationDriver driver{scheduler};
    std::unique_ptr<NotchContainerView> view;
    std::vector<std::string> events;
};

int alphaAt(const QImage& image, double x, double y) {
    const double s = image.devicePixelRatio();
    return image.pixelColor(QPoint(int(x * s), int(y * s))).alpha();
}

int paintedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 0;
    return count;
}

void settle() {
    QCoreApplication::processEvents();
}

void press(QWidget* target, QPointF at) {
    QMouseEvent down(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(target, &up);
}

} // namespace

// The pill's look on a real desktop is VornelaAppTest's; here: it is drawn only without a camera notch.
TEST(NotchContainerView, ClosedDrawsThePillOnlyWhereThereIsNoHardwareNotch) {
    ViewWorld plain({externalDisplay("desk", 0, true)});
    const NotchLayoutMetrics m = plain.vm->layoutMetrics.get();
    EXPECT_EQ(alphaAt(plain.paint(), m.anchorWidth / 2, m.anchorHeight / 2), 255);
    EXPECT_EQ(plain.view->grab().toImage().pixelColor(90, 16).alpha(), 255) << "the widget paints the same";

    ViewWorld notched;
    EXPECT_EQ(notched.state(), NotchState::closed());
    EXPECT_EQ(paintedPixels(notched.paint()), 0) << "the camera housing shows through";
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
    EXPECT_EQ(alphaAt(image, m.leftExpansion + m.anchorWidth / 2, 4), 255);
    EXPECT_EQ(alphaAt(image, 4, 4), 0);
    EXPECT_EQ(alphaAt(image, m.leftExpansion + m.anchorWidth / 2, m.anchorHeight + 20), 0);

    // Reveal 1: the whole panel, square top corners, the completion band included.
    w.advance(1);
    w.view->advanceFrame();
    const int settled = shapeChanges;
    w.view->advanceFrame();
    EXPECT_EQ(shapeChanges, settled) << "nothing moved, nothing announced";
    EXPECT_EQ(w.view->hitRect(), w.view->rect());
    image = w.paint();
    EXPECT_EQ(alphaAt(image, 1, 1), 255);
    EXPECT_EQ(alphaAt(image, w.view->width() / 2.0, m.anchorHeight + 40), 255);
    EXPECT_EQ(alphaAt(image, 0.5, w.view->height() - 0.5), 0);
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
    press(complete, QRectF(complete->rect()).center());
    EXPECT_EQ(w.events, (std::vector<std::string>{"inside", "click"}));
    EXPECT_EQ(w.health->completedToday(K::postureCheck), 0);

    w.advance(2);
    w.view->advanceFrame();
    ASSERT_EQ(w.state(), NotchState::nudge(K::postureCheck));
    press(complete, QRectF(complete->rect()).center());
    EXPECT_EQ(w.health->completedToday(K::postureCheck), 1) << "a revealed button completes the nudge";

    // Outside the drawn shape the hosting rules say "not inside".
    w.events.clear();
    w.view->visualHitTest = [](QPointF p, QRectF) { return p.y() < 10; };
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 20), w.view->mapToGlobal(QPointF(5, 20)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.view.get(), &move);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.view.get(), &leave);
    press(w.view.get(), QPointF(5, 5));
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
    const QImage image = w.paint(1);
    int bright = 0;
    const QRect at = dismiss->geometry();
    for (int y = at.top(); y <= at.bottom(); ++y)
        for (int x = at.left(); x <= at.right(); ++x)
            bright += image.pixelColor(x, y).lightness() > 150;
    EXPECT_GT(bright, 10);

    press(dismiss, QRectF(dismiss->rect()).center());
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
