#include "core/base/ManualScheduler.h"
#include "core/base/SystemPreferences.h"

#include "NudgeTestImages.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeInNotchCompletionRow.h"
#include "ui/nudges/NudgeSurfaceButton.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

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

    NudgeSurfaceButton& complete() { return *row->actionRow().completeButton(); }
    NudgeSurfaceButton& dismiss() { return *row->actionRow().dismissButton(); }

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

    static void mouse(NudgeSurfaceButton& button, QEvent::Type type) {
        const QPointF centre = QRectF(button.rect()).center();
        QMouseEvent event(type, centre, button.mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &event);
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

TEST(NudgeSurfaceButton, HoverBrightensAndGrowsTheButton) {
    ButtonWorld w;
    auto& button = w.complete();
    const QImage normal = w.draw(button);
    const QRect normalInk = opaqueBounds(normal);

    ButtonWorld::hover(button, true);
    EXPECT_EQ(w.lookChanges, 1);
    EXPECT_TRUE(button.isAnimating(w.clock.monotonicNow()));
    w.clock.advance(0.075);
    const double halfway = button.hoverAmount(w.clock.monotonicNow());
    EXPECT_GT(halfway, 0.5) << "eases out: most of the change comes first";
    EXPECT_LT(halfway, 1);
    w.clock.advance(0.075);
    EXPECT_FALSE(button.isAnimating(w.clock.monotonicNow()));

    const QImage hovered = w.draw(button);
    // The accent fill goes from 28 % to 36 %.
    EXPECT_NEAR(fillOf(normal).alpha(), 0.28 * 255, 3);
    EXPECT_NEAR(fillOf(hovered).alpha(), 0.36 * 255, 3);
    const QRect hoveredInk = opaqueBounds(hovered);
    const double growth = 0.04 * button.idealSize().width() * zoom;
    EXPECT_NEAR(normalInk.left() - hoveredInk.left(), growth / 2, 2) << "scales about its centre";
    EXPECT_NEAR(hoveredInk.right() - normalInk.right(), growth / 2, 2);

    ButtonWorld::hover(button, false);
    w.clock.advance(0.2);
    EXPECT_EQ(w.draw(button), normal);

    // The secondary button is a white wash that also brightens.
    auto& dismiss = w.dismiss();
    const int before = fillOf(w.draw(dismiss)).alpha();
    ButtonWorld::hover(dismiss, true);
    w.clock.advance(0.2);
    EXPECT_NEAR(before, 0.10 * 255, 3);
    EXPECT_NEAR(fillOf(w.draw(dismiss)).alpha(), 0.14 * 255, 3);
}

TEST(NudgeSurfaceButton, PressShrinksAndDimsTheLabelThenClicks) {
    ButtonWorld w;
    auto& button = w.complete();
    ButtonWorld::mouse(button, QEvent::MouseButtonPress);
    w.clock.advance(0.12);
    auto look = button.lookAt(w.clock.monotonicNow());
    EXPECT_DOUBLE_EQ(look.labelScale, 0.93);
    EXPECT_DOUBLE_EQ(look.labelOpacity, 0.88);
    EXPECT_DOUBLE_EQ(look.scale, 1) << "pressing alone does not grow the button";
    EXPECT_EQ(w.completed, 0);

    ButtonWorld::mouse(button, QEvent::MouseButtonRelease);
    EXPECT_EQ(w.completed, 1);
    EXPECT_EQ(w.dismissed, 0);
    w.clock.advance(0.12);
    EXPECT_DOUBLE_EQ(button.lookAt(w.clock.monotonicNow()).labelScale, 1);

    ButtonWorld::mouse(w.dismiss(), QEvent::MouseButtonPress);
    ButtonWorld::mouse(w.dismiss(), QEvent::MouseButtonRelease);
    EXPECT_EQ(w.dismissed, 1);
}

TEST(NudgeSurfaceButton, ReducedMotionChangesColoursAtOnceWithoutScaling) {
    ButtonWorld w;
    w.system.reduceMotion.set(true);
    auto& button = w.complete();
    const QRect normalInk = opaqueBounds(w.draw(button));
    ButtonWorld::hover(button, true);
    const QImage hovered = w.draw(button);
    EXPECT_NEAR(fillOf(hovered).alpha(), 0.36 * 255, 3) << "at once";
    EXPECT_EQ(opaqueBounds(hovered), normalInk) << "no hover growth";
    ButtonWorld::mouse(button, QEvent::MouseButtonPress);
    const auto look = button.lookAt(w.clock.monotonicNow());
    EXPECT_DOUBLE_EQ(look.labelScale, 1);
    EXPECT_DOUBLE_EQ(look.labelOpacity, 0.88) << "the dimming stays";
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

    // Both buttons side by side, centred in the row.
    const QRect complete = w.complete().geometry();
    const QRect dismiss = w.dismiss().geometry();
    EXPECT_LT(complete.right(), dismiss.left());
    EXPECT_NEAR(complete.left() + dismiss.right() + 1, 400, 2);
    EXPECT_NEAR(complete.center().y(), 50, 1);

    w.host.show();
    EXPECT_TRUE(w.complete().isVisible());
    w.row->setVisible(false);
    EXPECT_FALSE(w.complete().isVisible());
    EXPECT_FALSE(w.dismiss().isVisible());
}

TEST(NudgeSurfaceButton, LabelsStayReadableOnTheLightCard) {
    ButtonWorld w;
    auto& row = w.row->actionRow();
    auto labelLightness = [&](const NudgeSurfaceButton& button) {
        return button.lookAt(w.clock.monotonicNow()).content.lightness();
    };
    EXPECT_GT(labelLightness(w.dismiss()), 200) << "white ink on the dark notch";

    row.setOnLightSurface(true);
    EXPECT_LT(labelLightness(w.dismiss()), 60);
    EXPECT_LT(labelLightness(w.complete()), 60);
    EXPECT_GT(w.lookChanges, 0) << "the owner repaints";
    EXPECT_NEAR(w.dismiss().lookAt(w.clock.monotonicNow()).content.alphaF(), 0.72, 0.01) << "same opacities";
}
