#include "core/nudges/NudgeActionBarMotionModifier.h"
#include "support/NotchWorld.h"

#include "ui/base/AnimationDriver.h"

#include "UiTestPictures.h"
#include "ui/nudges/CompletionCardSizer.h"
#include "ui/nudges/NudgeCompletionActionRow.h"
#include "ui/nudges/NudgeCompletionPanelWidget.h"
#include "ui/nudges/NudgeCompletionView.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

using namespace vornela;
using namespace vornela::testing;
using namespace vornela::fakes;

namespace {

const NudgeCompletionUIState posture{NudgeKindID::postureCheck, "Shoulders back and sit up tall, please"};

QImage drawCard(const NudgeCompletionView& card, int zoom = 1) {
    const QSizeF size = card.fittingSize();
    QImage image = blankCanvas(static_cast<int>(size.width()) * zoom, static_cast<int>(size.height()) * zoom);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    card.paint(painter, QPointF(0, 0), 0, true);
    return image;
}

QImage drawPanel(const NudgeCompletionPanelWidget& panel) {
    QImage image = blankCanvas(panel.width(), panel.height());
    QPainter painter(&image);
    panel.render(painter);
    return image;
}

int brightness(QColor c) {
    return (c.red() + c.green() + c.blue()) / 3;
}

// The message text's ink: right of the dot matrix, within the message row's band.
QRect messageTextInk(const QImage& image, const NudgeCompletionView& card, int zoom,
                     const std::function<bool(QColor)>& inked) {
    const QRectF row = *card.messageRowRect();
    const QRect band(static_cast<int>((row.left() + 15 + 4) * zoom), static_cast<int>(row.top() * zoom),
                     static_cast<int>((card.fittingSize().width() - row.left() - 19) * zoom),
                     static_cast<int>(row.height() * zoom));
    return inkBounds(image.copy(band), inked).translated(band.topLeft());
}

} // namespace

TEST(NudgeCompletionCard, SurfaceBorderAndTextFollowTheAppearance) {
    NudgeCompletionView card(posture, true, true, 0);
    const int midY = static_cast<int>(card.fittingSize().height() / 2) * 4;

    const QImage dark = drawCard(card, 4);
    const QColor darkSurface = dark.pixelColor(3 * 4, midY);
    EXPECT_EQ(darkSurface.alpha(), 255);
    EXPECT_LT(brightness(darkSurface), 60);
    EXPECT_GT(brightness(dark.pixelColor(0, midY)), brightness(darkSurface) + 10) << "a light hairline";
    const QRect darkText = messageTextInk(dark, card, 4, [](QColor c) { return brightness(c) > 200; });
    EXPECT_FALSE(darkText.isEmpty()) << "white text on the dark card";

    card.setDark(false);
    const QImage light = drawCard(card, 4);
    const QColor lightSurface = light.pixelColor(3 * 4, midY);
    EXPECT_GE(brightness(lightSurface), 250);
    EXPECT_LT(brightness(light.pixelColor(0, midY)), brightness(lightSurface) - 10) << "a dark hairline";
    const QRect lightText = messageTextInk(light, card, 4, [](QColor c) { return brightness(c) < 60; });
    EXPECT_NEAR(lightText.left(), darkText.left(), 4) << "the same text, only recoloured";
    EXPECT_EQ(alphaAt(light, 0, 0), 0) << "rounded corners";
}

// Both card shapes fill exactly the size the panel is given, the message inside the padding.
TEST(NudgeCompletionCard, SizerAgreesWithWhatIsPainted) {
    for (const bool context : {true, false}) {
        const Size size = CompletionCardSizer().cardSize(posture, context);
        const QImage image = drawCard(NudgeCompletionView(posture, context, true, 0));
        EXPECT_EQ(opaqueBounds(image), QRect(0, 0, int(size.width), int(size.height))) << context;
    }
    const NudgeCompletionView card(posture, true, true, 0);
    const double width = card.fittingSize().width();
    const QRectF row = *card.messageRowRect();
    const QRect band(0, int(row.top()), int(width), int(row.height()));
    const QRect rowInk = inkBounds(drawCard(card).copy(band), [](QColor c) {
                             return brightness(c) > 120;
                         }).translated(band.topLeft());
    EXPECT_GE(rowInk.left(), 6) << "dots and text stay inside the padding";
    EXPECT_LE(rowInk.right(), width - 6);
    EXPECT_GT(rowInk.width(), width - 12 - 4) << "the message row is what sets the width";
    EXPECT_LT(row.bottom(), card.actionRowRect().top());
    EXPECT_LE(card.actionRowRect().bottom(), card.fittingSize().height() - 6);
}

TEST(NudgeCompletionPanelWidget, PlaysTheCardsMotionAndEndsTheNudgeFromItsButtons) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    AnimationDriver driver(w.scheduler);
    w.vm->presentNudge(NudgeKindID::postureCheck, false);
    ASSERT_TRUE(w.completion->panels().count("desk"));

    NudgeCompletionPanelWidget panel(*w.completion, "desk", *w.vm, w.desktop.system, w.scheduler, driver);
    ASSERT_TRUE(panel.card());
    const QSizeF size = panel.card()->fittingSize();
    panel.resize(size.toSize());
    panel.show();
    EXPECT_EQ(panel.outlinePath().boundingRect(), QRectF(QPointF(0, 0), size));

    EXPECT_EQ(panel.nextFrameDelay(w.scheduler.monotonicNow()), std::optional<double>(0)) << "entering";
    EXPECT_TRUE(opaqueBounds(drawPanel(panel)).isEmpty()) << "starts invisible";
    w.advance(0.01);
    const NudgeActionBarMotionModifier motion{
        panel.panelView()->progressAt(w.scheduler.monotonicNow(), false), false};
    ASSERT_LT(motion.scale(), 0.99);
    const QImage earlyImage = drawPanel(panel);
    const QRect early = opaqueBounds(earlyImage);
    EXPECT_NEAR(early.width(), size.width() * motion.scale(), 2) << "smaller while it enters";
    EXPECT_NEAR(early.center().x(), size.width() / 2, 1.5) << "about the top centre";
    EXPECT_NEAR(early.bottom() + 1, size.height() * motion.scale() + motion.offsetY(), 2)
        << "slides down from above";
    EXPECT_LT(earlyImage.pixelColor(early.center()).alpha(), 250) << "still fading in";
    w.advance(0.3);
    const QImage settled = drawPanel(panel);
    EXPECT_EQ(opaqueBounds(settled), QRect(QPoint(0, 0), size.toSize()));
    const auto idle = panel.nextFrameDelay(w.scheduler.monotonicNow());
    ASSERT_TRUE(idle);
    EXPECT_GT(*idle, 0) << "only the dot matrix's frames";

    const int before = w.health->completedToday(NudgeKindID::postureCheck);
    click(*panel.actionRow()->completeButton());
    EXPECT_EQ(w.health->completedToday(NudgeKindID::postureCheck), before + 1);
    EXPECT_EQ(panel.panelView()->motion, NudgeActionBarMotion::exiting);
    EXPECT_EQ(panel.nextFrameDelay(w.scheduler.monotonicNow()), std::optional<double>(0));
    w.advance(0.2);
    EXPECT_TRUE(opaqueBounds(drawPanel(panel)).isEmpty()) << "gone after its exit";
}

TEST(NudgeCompletionPanelWidget, ReducedMotionOnlyFadesAndIgnoreRecordsNothing) {
    NotchWorld w({notchedLaptop(), externalDisplay("desk")});
    w.desktop.system.reduceMotion.set(true);
    AnimationDriver driver(w.scheduler);
    NudgeCompletionPanelWidget panel(*w.completion, "desk", *w.vm, w.desktop.system, w.scheduler, driver);
    EXPECT_FALSE(panel.card()) << "nothing to show before a prompt";
    EXPECT_TRUE(opaqueBounds(drawPanel(panel)).isEmpty());

    w.vm->presentNudge(NudgeKindID::eyeBreak, false);
    ASSERT_TRUE(panel.card());
    const QSizeF size = panel.card()->fittingSize();
    panel.resize(size.toSize());
    panel.show();
    EXPECT_EQ(opaqueBounds(drawPanel(panel)), QRect(QPoint(0, 0), size.toSize())) << "in place at once";
    EXPECT_FALSE(panel.nextFrameDelay(w.scheduler.monotonicNow())) << "a still dot matrix";

    click(*panel.actionRow()->dismissButton());
    EXPECT_EQ(w.health->completedToday(NudgeKindID::eyeBreak), 0);
    EXPECT_FALSE(w.completion->isPresented());
    EXPECT_TRUE(opaqueBounds(drawPanel(panel)).isEmpty()) << "faded out at once";
}
