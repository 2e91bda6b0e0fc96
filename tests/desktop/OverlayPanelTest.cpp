#include "platform/window/OverlayPanel.h"
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

    bool showAndWait(OverlayPanel& panel) {
        panel.orderFront();
        const quint32 id = panel.nativeWindowId();
        return X11Probe::waitUntil([&] { return probe.isViewable(id); });
    }

    X11Probe probe;
};

// The dock type, all desktops and no taskbar entry on the real binary are VornelaAppTest's; here:
// the panel keeps itself above others and sticky through hiding, moving and closing.
TEST_F(OverlayPanelTest, StaysAnAboveStickyOverlayThroughHideMoveAndClose) {
    OverlayPanel panel(screen(), core(QRect(800, 0, 320, 80)), PanelLevel::notch);
    const quint32 id = panel.nativeWindowId();
    ASSERT_NE(id, 0u);
    EXPECT_FALSE(probe.isViewable(id)); // created, not ordered front
    ASSERT_TRUE(showAndWait(panel));
    panel.orderOut();
    ASSERT_TRUE(X11Probe::waitUntil([&] { return !probe.isViewable(id); }));
    EXPECT_FALSE(panel.isVisible());
    ASSERT_TRUE(showAndWait(panel));
    EXPECT_EQ(probe.geometry(id), QRect(800, 0, 320, 80));
    const QStringList states = probe.atomListProperty(id, "_NET_WM_STATE").value_or(QStringList());
    for (const char* state : {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STICKY"})
        EXPECT_TRUE(states.contains(state)) << state << " in " << states.join(' ').toStdString();

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

} // namespace
} // namespace vornela
