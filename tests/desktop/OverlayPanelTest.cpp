#include "platform/window/OverlayPanel.h"
#include "platform/window/OutlinePixels.h"
#include "platform/window/QtPanelWindowFactory.h"

#include "platform/screen/CoordinateSpace.h"
#include "support/ShapeRows.h"
#include "support/X11Probe.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace vornela {
namespace {

// A plain painted widget that remembers where it was pressed.
class PressRecorder : public QWidget {
public:
    explicit PressRecorder(QColor fill, QWidget* parent = nullptr) : QWidget(parent), fill_(fill) {}
    std::vector<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override { presses.push_back(event->position().toPoint()); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), fill_); }

private:
    QColor fill_;
};

class OverlayPanelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(probe.isConnected()); }

    static ScreenInfo screen() {
        const CoordinateSpace space = CoordinateSpace::current();
        const Rect frame = space.toCore(QRectF(space.primary));
        return {"screen", true, frame, frame, 1, 0, std::nullopt, std::nullopt};
    }
    // Tests think in X's root coordinates; panels take core's.
    static Rect core(const QRect& rootRect) { return CoordinateSpace::current().toCore(QRectF(rootRect)); }

    // An ordinary application window, mapped where asked (Xvfb runs no window manager).
    std::unique_ptr<PressRecorder> ordinaryWindow(const QRect& geometry, QColor fill) {
        auto window = std::make_unique<PressRecorder>(fill);
        window->setGeometry(geometry);
        window->show();
        const quint32 id = quint32(window->winId());
        EXPECT_TRUE(X11Probe::waitUntil([&] { return probe.isViewable(id); }));
        return window;
    }

    bool showAndWait(OverlayPanel& panel) {
        panel.orderFront();
        const quint32 id = panel.nativeWindowId();
        return X11Probe::waitUntil([&] { return probe.isViewable(id); });
    }

    X11Probe probe;
};

TEST_F(OverlayPanelTest, ShowsAsADockOnEveryDesktopWithoutTaskbarOrPagerEntry) {
    OverlayPanel panel(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    const quint32 id = panel.nativeWindowId();
    ASSERT_NE(id, 0u);
    EXPECT_FALSE(probe.isViewable(id)); // created, not ordered front
    ASSERT_TRUE(showAndWait(panel));

    const auto expectOverlayProperties = [&] {
        EXPECT_EQ(probe.geometry(id), QRect(800, 0, 320, 80));
        const auto types = probe.atomListProperty(id, "_NET_WM_WINDOW_TYPE");
        ASSERT_TRUE(types);
        EXPECT_EQ(types->value(0), "_NET_WM_WINDOW_TYPE_DOCK") << types->join(' ').toStdString();
        EXPECT_EQ(probe.cardinalProperty(id, "_NET_WM_DESKTOP"), std::vector<quint32>{0xFFFFFFFF});
        const auto states = probe.atomListProperty(id, "_NET_WM_STATE");
        ASSERT_TRUE(states);
        for (const char* state : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                                  "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STICKY"}) {
            EXPECT_TRUE(states->contains(state)) << state << " in " << states->join(' ').toStdString();
        }
    };
    expectOverlayProperties();
    const auto windows = probe.topLevelWindows();
    EXPECT_NE(std::find(windows.begin(), windows.end(), id), windows.end());

    // Hidden and shown again, it is still the same overlay.
    panel.orderOut();
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !probe.isViewable(id); }));
    EXPECT_FALSE(panel.isVisible());
    ASSERT_TRUE(showAndWait(panel));
    expectOverlayProperties();

    // Moved in core coordinates: 40 points up is 40 pixels nearer the root's top.
    panel.setFrame(core(QRect(600, 0, 500, 120)).offsetBy(0, -40), true);
    EXPECT_TRUE(X11Probe::waitUntil([&] { return probe.geometry(id) == QRect(600, 40, 500, 120); }))
        << probe.geometry(id).x() << "," << probe.geometry(id).y();

    panel.close();
    EXPECT_TRUE(X11Probe::waitUntil([&] { return !probe.exists(id); }));
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(OverlayPanelTest, InputShapeIsWhatWasSetAndSurvivesResizes) {
    OverlayPanel panel(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    const quint32 id = panel.nativeWindowId();
    // Until told otherwise the whole window takes clicks.
    EXPECT_EQ(regionOf(probe.inputShape(id)), QRegion(0, 0, 320, 80));

    const QRegion shape = QRegion(70, 0, 180, 32) + QRegion(100, 32, 120, 20);
    panel.setInputShape(shape);
    ASSERT_TRUE(showAndWait(panel));
    EXPECT_EQ(regionOf(probe.inputShape(id)), shape);

    panel.setFrame(core(QRect(700, 0, 520, 240)), true);
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.geometry(id).size() == QSize(520, 240); }));
    EXPECT_EQ(regionOf(probe.inputShape(id)), shape);

    // Shown again after hiding, the shape is still in place.
    panel.orderOut();
    ASSERT_TRUE(showAndWait(panel));
    EXPECT_EQ(regionOf(probe.inputShape(id)), shape);

    // An empty shape lets every click through.
    panel.setInputShape(QRegion());
    EXPECT_TRUE(X11Probe::waitUntil([&] { return probe.inputShape(id).empty(); }));
}

TEST_F(OverlayPanelTest, ClicksOutsideTheInputShapeReachTheWindowBeneath) {
    auto beneath = ordinaryWindow(QRect(700, 0, 520, 200), Qt::red);
    OverlayPanel panel(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    auto* content = new PressRecorder(Qt::blue);
    panel.setContent(content);
    panel.setInputShape(QRegion(100, 0, 120, 32));
    ASSERT_TRUE(showAndWait(panel));
    ASSERT_GT(probe.stackingIndex(panel.nativeWindowId()), probe.stackingIndex(quint32(beneath->winId())));

    // Inside the panel's window, left of the shape.
    ASSERT_TRUE(X11Probe::movePointer({810, 10}));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !beneath->presses.empty(); }));
    EXPECT_EQ(beneath->presses.front(), QPoint(110, 10));
    EXPECT_TRUE(content->presses.empty());

    // Inside the shape.
    ASSERT_TRUE(X11Probe::movePointer({950, 10}));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !content->presses.empty(); }));
    EXPECT_EQ(content->presses.front(), QPoint(150, 10));
    EXPECT_EQ(beneath->presses.size(), 1u);

    // Below the shape but still inside the window (the expanded panel's transparent corner).
    ASSERT_TRUE(X11Probe::movePointer({1100, 60}));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return beneath->presses.size() == 2; }));
    EXPECT_EQ(beneath->presses.back(), QPoint(400, 60));
    EXPECT_EQ(content->presses.size(), 1u);
}

TEST_F(OverlayPanelTest, CompletionPanelsStayAboveNotchPanels) {
    // X11 has no window levels: the factory that made both keeps them in order.
    QtPanelWindowFactory factory;
    const auto completionPanel =
        factory.create(screen(), core(QRect(860, 20, 200, 60)), PanelLevel::completion);
    const auto notchPanel = factory.create(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    auto& completion = dynamic_cast<OverlayPanel&>(*completionPanel);
    auto& notch = dynamic_cast<OverlayPanel&>(*notchPanel);
    auto* completionContent = new PressRecorder(Qt::green);
    completion.setContent(completionContent);
    auto* notchContent = new PressRecorder(Qt::black);
    notch.setContent(notchContent);
    const auto completionAbove = [&] {
        return probe.stackingIndex(completion.nativeWindowId()) > probe.stackingIndex(notch.nativeWindowId());
    };

    ASSERT_TRUE(showAndWait(completion));
    ASSERT_TRUE(showAndWait(notch)); // ordered front last, and still beneath
    EXPECT_TRUE(completionAbove());

    notch.orderOut();
    ASSERT_TRUE(showAndWait(notch));
    EXPECT_TRUE(completionAbove());
    notch.orderFront();
    EXPECT_TRUE(X11Probe::waitUntil(completionAbove));

    // Where they overlap, the completion panel takes the click.
    ASSERT_TRUE(X11Probe::movePointer({960, 50}));
    ASSERT_TRUE(X11Probe::click());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !completionContent->presses.empty(); }));
    EXPECT_EQ(completionContent->presses.front(), QPoint(100, 30));
    EXPECT_TRUE(notchContent->presses.empty());
}

TEST_F(OverlayPanelTest, WithoutACompositorTheFallbackOutlineBecomesTheVisibleShape) {
    auto beneath = ordinaryWindow(QRect(700, 0, 520, 200), Qt::red);
    OverlayPanel panel(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    panel.setContent(new PressRecorder(Qt::blue));
    const QRegion input(40, 0, 240, 80);
    panel.setInputShape(input);
    EXPECT_FALSE(panel.hasCompositor()); // Xvfb runs none

    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, 320, 80), 24, 24);
    panel.setFallbackShape(outlinePixels(outline));
    ASSERT_TRUE(showAndWait(panel));
    const quint32 id = panel.nativeWindowId();

    const QRegion bounding = regionOf(probe.boundingShape(id));
    EXPECT_TRUE(bounding.contains(QPoint(160, 40)));
    EXPECT_TRUE(bounding.contains(QPoint(0, 40)));
    EXPECT_FALSE(bounding.contains(QPoint(2, 2))); // the rounded corners are cut away
    EXPECT_FALSE(bounding.contains(QPoint(317, 77)));
    EXPECT_EQ(regionOf(probe.inputShape(id)), input); // the input shape is a separate thing

    // On screen: the window beneath shows through the corners, the content fills the rest.
    const auto shows = [&](QPoint rootPoint, QColor colour) {
        return probe.grab(QRect(rootPoint, QSize(1, 1))).pixelColor(0, 0) == colour;
    };
    EXPECT_TRUE(X11Probe::waitUntil([&] {
        return shows({802, 2}, Qt::red) && shows({960, 40}, Qt::blue) && shows({1117, 77}, Qt::red);
    }));

    // A compositing manager appears: the next shape update drops the outline again.
    X11Probe compositor;
    ASSERT_TRUE(compositor.ownSelection("_NET_WM_CM_S0"));
    EXPECT_TRUE(panel.hasCompositor());
    panel.setFrame(core(QRect(800, 0, 340, 90)), true);
    EXPECT_TRUE(
        X11Probe::waitUntil([&] { return regionOf(probe.boundingShape(id)) == QRegion(0, 0, 340, 90); }));
}

} // namespace
} // namespace vornela
