#include "core/notch/NotchShapes.h"
#include "platform/screen/CoordinateSpace.h"
#include "support/ShapeRows.h"
#include "support/VirtualNotchDesk.h"
#include "support/X11Probe.h"
#include "ui/notch/NotchContainerView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vornela {
namespace {

// One display frame at 60 Hz.
constexpr double frameStep = 1.0 / 60;
const QPoint onThePill{960, 10};

// An ordinary application window that remembers where it was pressed.
class PressRecorder : public QWidget {
public:
    std::vector<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override { presses.push_back(event->position().toPoint()); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::darkRed); }
};

// Counts the presses a widget receives and lets them through untouched.
class PressCounter : public QObject {
public:
    explicit PressCounter(QObject* watched) : QObject(watched) { watched->installEventFilter(this); }
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};

std::string describe(const std::vector<QRect>& rects) {
    std::ostringstream out;
    out << rects.size() << " rect(s)";
    for (const QRect& r : rects)
        out << " [" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << "]";
    return out.str();
}

std::string describe(const QRect& r) {
    return describe(std::vector<QRect>{r});
}

bool strictlyBetween(const QRect& inner, const QRect& r, const QRect& outer) {
    return outer.contains(r) && r.contains(inner) && r != inner && r != outer;
}

class NotchPanelShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(probe.isConnected());
        ASSERT_TRUE(desk.pointer.hasGlobalMotion());
    }

    // Shows the notch and waits for its pill on the server; the pill's root rectangle.
    QRect showPill() {
        desk.launch();
        panel = desk.panel();
        if (!panel)
            return {};
        window = panel->nativeWindowId();
        if (!X11Probe::waitUntil([&] { return probe.isViewable(window); }))
            return {};
        return probe.geometry(window);
    }

    // The resting pointer on the pill opens the dashboard once the hover delay has passed.
    bool openByHover() {
        if (!X11Probe::movePointer(onThePill))
            return false;
        desk.notch->reportPointer();
        desk.scheduler.advance(NotchViewModel::hoverEnterDelay);
        return desk.vm.notchState.get() == NotchState::hoverExpanded();
    }

    // The surface core draws now, aligned outward to whole pixels as the window's shape is.
    QRect coreClip(std::optional<double> progress = std::nullopt) const {
        const NotchLayoutMetrics m = desk.vm.layoutMetrics.get();
        const Rect clip = notchClipRect(Rect{0, 0, m.windowSize.width, m.windowSize.height},
                                        progress.value_or(desk.vm.contentRevealProgress()), m.leftExpansion,
                                        m.rightExpansion, m.downExpansion);
        return QRectF(clip.x, clip.y, clip.width, clip.height).toAlignedRect();
    }
    QRect fullPanel() const { return coreClip(1.0); }
    QRect anchorArea() const { return coreClip(0.0); }

    // The server's input shape is the outline drawn in `expected` (given time to flush): that
    // rectangle (to the pixel whose centre a fractional edge passes) without its soft bottom
    // corners, alike on both sides of the window.
    ::testing::AssertionResult inputShapeIs(const QRect& expected) const {
        const auto holds = [&] {
            const QRegion shape = regionOf(probe.inputShape(window));
            const QRect bounds = shape.boundingRect();
            return expected.contains(bounds) && bounds.adjusted(-1, 0, 1, 1).contains(expected) &&
                   !shape.contains(bounds.bottomLeft()) && !shape.contains(bounds.bottomRight()) &&
                   unmirroredRows(shape, probe.geometry(window).width()) == 0;
        };
        if (X11Probe::waitUntil(holds, 3))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "server input shape " << describe(probe.inputShape(window)) << ", core's clip "
               << describe(expected) << " at reveal " << desk.vm.contentRevealProgress();
    }

    bool windowSizeIs(const QSize& size) const {
        return X11Probe::waitUntil([&] { return probe.geometry(window).size() == size; }, 3);
    }

    X11Probe probe;
    testing::VirtualNotchDesk desk;
    OverlayPanel* panel = nullptr;
    quint32 window = 0;
};

TEST_F(NotchPanelShapeTest, InputShapeFollowsTheClipThroughAnExpandAndACollapse) {
    const QRect pill = showPill();
    ASSERT_TRUE(pill.isValid());
    // Exactly core's anchor: a pill at the top centre of the notchless screen.
    const auto& geometry = desk.vm.geometry();
    ASSERT_TRUE(geometry);
    EXPECT_EQ(pill, CoordinateSpace::current().toQt(geometry->anchorRect).toAlignedRect());
    EXPECT_EQ(pill.center().x(), 960);
    EXPECT_EQ(pill.top(), 0);
    // Closed, the whole pill takes clicks.
    EXPECT_TRUE(inputShapeIs(QRect(QPoint(), pill.size())));

    ASSERT_TRUE(openByHover());
    const NotchLayoutMetrics m = desk.vm.layoutMetrics.get();
    const QRect full = fullPanel();
    const QRect anchor = anchorArea();
    ASSERT_GT(full.width(), pill.width());
    ASSERT_GT(full.height(), pill.height());
    // The window is at its full size before anything is revealed, grown around the pill.
    ASSERT_TRUE(windowSizeIs(full.size())) << describe(probe.geometry(window));
    EXPECT_EQ(probe.geometry(window).topLeft(), QPoint(pill.x() - int(m.leftExpansion), 0));
    EXPECT_EQ(anchor, QRect(QPoint(int(m.leftExpansion), 0), pill.size()));
    EXPECT_TRUE(inputShapeIs(anchor));

    QRect previous = anchor;
    int intermediate = 0;
    for (int i = 1; i <= 20; ++i) { // a third of a second: past the 0.3 s reveal
        SCOPED_TRACE(::testing::Message() << "expanding, " << i * frameStep << " s in");
        desk.step(frameStep);
        const QRect clip = coreClip();
        ASSERT_TRUE(inputShapeIs(clip));
        EXPECT_EQ(probe.geometry(window).size(), full.size());
        EXPECT_TRUE(clip.contains(previous)) << describe(clip) << " after " << describe(previous);
        intermediate += strictlyBetween(anchor, clip, full);
        previous = clip;
    }
    EXPECT_GE(intermediate, 3);
    EXPECT_EQ(previous, full);
    EXPECT_FALSE(desk.vm.isLayoutTransitioning.get());
    EXPECT_TRUE(inputShapeIs(full));

    // The pointer leaves; after the exit delay the surface closes.
    ASSERT_TRUE(X11Probe::movePointer({200, 700}));
    desk.notch->reportPointer();
    desk.scheduler.advance(NotchViewModel::exitDelay);
    ASSERT_EQ(desk.vm.windowAlignment.get(), NotchWindowAlignment::closed());
    ASSERT_TRUE(desk.notch->isTransitionPending());
    EXPECT_TRUE(inputShapeIs(full));

    previous = full;
    intermediate = 0;
    int stepsAtFullSize = 0;
    for (int i = 1; i <= 20 && desk.notch->isTransitionPending(); ++i) {
        SCOPED_TRACE(::testing::Message() << "collapsing, " << i * frameStep << " s in");
        desk.step(frameStep);
        if (!desk.notch->isTransitionPending())
            break;
        ++stepsAtFullSize;
        // The window keeps its size while the drawn surface shrinks back into it.
        const QRect clip = coreClip();
        EXPECT_TRUE(inputShapeIs(clip));
        EXPECT_EQ(probe.geometry(window).size(), full.size());
        EXPECT_TRUE(previous.contains(clip)) << describe(clip) << " after " << describe(previous);
        intermediate += strictlyBetween(anchor, clip, full);
        previous = clip;
    }
    // 0.24 s of virtual time at full size (14 frames), the clip back on the anchor before the
    // window shrinks.
    EXPECT_EQ(stepsAtFullSize, 14);
    EXPECT_GE(intermediate, 3);
    EXPECT_EQ(previous, anchor);

    ASSERT_FALSE(desk.notch->isTransitionPending());
    EXPECT_EQ(desk.vm.notchState.get(), NotchState::closed());
    EXPECT_TRUE(X11Probe::waitUntil([&] { return probe.geometry(window) == pill; }))
        << describe(probe.geometry(window));
    EXPECT_TRUE(inputShapeIs(QRect(QPoint(), pill.size())));
}

TEST_F(NotchPanelShapeTest, ClicksOutsideTheGrowingShapePassToTheWindowBeneath) {
    PressRecorder beneath;
    beneath.setGeometry(360, 0, 1200, 500);
    beneath.show();
    const quint32 beneathId = quint32(beneath.winId());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.isViewable(beneathId); }));

    ASSERT_TRUE(showPill().isValid());
    auto* view = panel->window()->findChild<NotchContainerView*>();
    ASSERT_NE(view, nullptr);
    auto* surface = new PressCounter(view);
    ASSERT_GT(probe.stackingIndex(window), probe.stackingIndex(beneathId));

    ASSERT_TRUE(openByHover());
    const QRect full = fullPanel();
    ASSERT_TRUE(windowSizeIs(full.size()));
    const QRect frame = probe.geometry(window);
    ASSERT_TRUE(QRect(360, 0, 1200, 500).contains(frame)) << describe(frame);

    // Part way into the reveal.
    for (int i = 0; i < 2; ++i)
        desk.step(frameStep);
    const QRect clip = coreClip();
    ASSERT_TRUE(strictlyBetween(anchorArea(), clip, full)) << describe(clip);
    ASSERT_TRUE(inputShapeIs(clip));

    // Inside the panel's window, below the surface that has not grown that far yet.
    const QPoint belowSurface(full.center().x(), (clip.bottom() + full.bottom()) / 2 + 1);
    ASSERT_FALSE(clip.contains(belowSurface)) << describe(clip);
    ASSERT_TRUE(X11Probe::movePointer(frame.topLeft() + belowSurface));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !beneath.presses.empty(); }));
    EXPECT_EQ(beneath.presses.front(), frame.topLeft() + belowSurface - QPoint(360, 0));
    EXPECT_EQ(surface->presses, 0);

    // On the drawn surface the click is the notch's.
    ASSERT_TRUE(X11Probe::movePointer(frame.topLeft() + clip.center()));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return surface->presses == 1; }));
    EXPECT_EQ(beneath.presses.size(), 1u);
    EXPECT_EQ(desk.vm.notchState.get(), NotchState::hoverExpanded());

    // Fully revealed, the same point belongs to the surface.
    for (int i = 0; i < 20; ++i)
        desk.step(frameStep);
    ASSERT_TRUE(inputShapeIs(full));
    ASSERT_TRUE(X11Probe::movePointer(frame.topLeft() + belowSurface));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return surface->presses == 2; }));
    EXPECT_EQ(beneath.presses.size(), 1u);
}

} // namespace
} // namespace vornela
