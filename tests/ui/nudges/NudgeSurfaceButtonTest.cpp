#include "core/base/ManualScheduler.h"
#include "core/base/SystemPreferences.h"

#include "UiTestPictures.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace vornela;
using namespace vornela::testing;

namespace {

constexpr int zoom = 4;

struct ButtonWorld {
    ButtonWorld() {
        host.resize(400, 100);
        row = std::make_unique<NudgeInNotchCompletionRow>(
            NudgeKindID::eyeBreak, [this] { ++completed; }, [this] { ++dismissed; }, clock, system, &host);
        row->onLookChanged = [this] { ++lookChanges; };
        row->setGeometry(QRectF(0, 0, 400, 100));
    }

    NudgeSurfaceButton& complete() { return present(row->actionRow().completeButton()); }
    NudgeSurfaceButton& dismiss() { return present(row->actionRow().dismissButton()); }
    static NudgeSurfaceButton& present(NudgeSurfaceButton* button) {
        if (!button)
            std::abort(); // the row always has both
        return *button;
    }

    QImage draw(const NudgeSurfaceButton& button) {
        const QRectF rect(QPointF(10, 10), button.idealSize());
        QImage image = blankCanvas(static_cast<int>(rect.right() + 20) * zoom,
                                   static_cast<int>(rect.bottom() + 20) * zoom);
        QPainter painter(&image);
        painter.scale(zoom, zoom);
        button.paintLook(painter, rect, clock.monotonicNow());
        return image;
    }

    static void hover(NudgeSurfaceButton& button, bool inside) {
        if (inside) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(&button, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(&button, &leave);
        }
    }

    ManualScheduler clock{1'780'000'000, 100};
    SystemPreferences system;
    QWidget host;
    std::unique_ptr<NudgeInNotchCompletionRow> row;
    int completed = 0;
    int dismissed = 0;
    int lookChanges = 0;
};

// Fill sampled just inside the left edge, half way down (clear of border, icon and title).
QColor fillOf(const QImage& image) {
    return image.pixelColor(12 * zoom, image.height() / 2 - 5 * zoom);
}

} // namespace

// Hover brightens the fill and grows the button about its centre, easing out; reduced motion
// changes the colour at once and grows nothing.
TEST(NudgeSurfaceButton, HoverBrightensAndGrowsTheButtonUnlessMotionIsReduced) {
    ButtonWorld w;
    auto& button = w.complete();
    const QImage normal = w.draw(button);
    const QRect normalInk = opaqueBounds(normal);
    ButtonWorld::hover(button, true);
    EXPECT_EQ(w.lookChanges, 1);
    w.clock.advance(0.075);
    EXPECT_GT(button.hoverAmount(w.clock.monotonicNow()), 0.5) << "most of the change comes first";
    w.clock.advance(0.075);
    EXPECT_FALSE(button.isAnimating(w.clock.monotonicNow()));
    const QImage hovered = w.draw(button);
    EXPECT_GT(fillOf(hovered).alpha(), fillOf(normal).alpha() + 10);
    const QRect hoveredInk = opaqueBounds(hovered);
    EXPECT_LT(hoveredInk.left(), normalInk.left());
    EXPECT_NEAR(normalInk.left() - hoveredInk.left(), hoveredInk.right() - normalInk.right(), 1);
    ButtonWorld::hover(button, false);
    w.clock.advance(0.2);
    EXPECT_EQ(w.draw(button), normal);

    ButtonWorld still;
    still.system.reduceMotion.set(true);
    ButtonWorld::hover(still.complete(), true);
    EXPECT_NEAR(fillOf(still.draw(still.complete())).alpha(), fillOf(hovered).alpha(), 1) << "at once";
    EXPECT_EQ(opaqueBounds(still.draw(still.complete())), normalInk) << "no growth";
}

TEST(NudgeSurfaceButton, PressDimsAndShrinksTheLabelThenClicks) {
    ButtonWorld w;
    auto& button = w.complete();
    mouse(button, QEvent::MouseButtonPress);
    w.clock.advance(0.12);
    const auto pressed = button.lookAt(w.clock.monotonicNow());
    EXPECT_LT(pressed.labelScale, 1);
    EXPECT_LT(pressed.labelOpacity, 1);
    EXPECT_EQ(w.completed, 0);
    mouse(button, QEvent::MouseButtonRelease);
    EXPECT_EQ(w.completed, 1);
    EXPECT_EQ(w.dismissed, 0);
    w.clock.advance(0.12);
    EXPECT_DOUBLE_EQ(button.lookAt(w.clock.monotonicNow()).labelScale, 1);
    click(w.dismiss());
    EXPECT_EQ(w.dismissed, 1);

    ButtonWorld still; // reduced motion keeps the dimming but not the shrinking
    still.system.reduceMotion.set(true);
    mouse(still.complete(), QEvent::MouseButtonPress);
    const auto look = still.complete().lookAt(still.clock.monotonicNow());
    EXPECT_DOUBLE_EQ(look.labelScale, 1);
    EXPECT_DOUBLE_EQ(look.labelOpacity, pressed.labelOpacity);
}

TEST(NudgeSurfaceButton, RowNamesItsButtonsAfterTheNudgeAndHidesThemWhenOff) {
    ButtonWorld w;
    auto nameOf = [](NudgeSurfaceButton& button) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    };
    w.row->setKind(NudgeKindID::postureCheck);
    EXPECT_EQ(nameOf(w.complete()), QStringLiteral("Mark Posture Check completed"));
    EXPECT_EQ(nameOf(w.dismiss()), QStringLiteral("Ignore Posture Check reminder"));
    EXPECT_LT(w.complete().geometry().right(), w.dismiss().geometry().left()) << "side by side";

    w.host.show();
    EXPECT_TRUE(w.complete().isVisible());
    w.row->setVisible(false);
    EXPECT_FALSE(w.complete().isVisible());
    EXPECT_FALSE(w.dismiss().isVisible());
}

TEST(NudgeSurfaceButton, LabelsTurnDarkOnTheLightCard) {
    ButtonWorld w;
    const auto lightness = [&](const NudgeSurfaceButton& b) {
        return b.lookAt(w.clock.monotonicNow()).content.lightness();
    };
    EXPECT_GT(lightness(w.dismiss()), 200) << "white ink on the dark notch";
    w.row->actionRow().setOnLightSurface(true);
    EXPECT_LT(lightness(w.dismiss()), 60);
    EXPECT_LT(lightness(w.complete()), 60);
    EXPECT_GT(w.lookChanges, 0) << "the owner repaints";
}
