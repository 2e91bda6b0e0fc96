#include "core/nudges/NudgeCatalogue.h"

#include "UiTestPictures.h"
#include "ui/nudges/NudgeMessageRow.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

const QString longMessage = QStringLiteral("Roll your shoulders and look out of the window");

// The text's ink, ignoring the 15-point dot matrix on the left.
QRect textInk(const NudgeMessageRow& row, double width) {
    QImage image = blankCanvas(400, 30);
    QPainter painter(&image);
    row.paint(painter, QRectF(0, 0, width, 30), 0, true);
    painter.end();
    return inkBounds(image.copy(16, 0, 384, 30), [](QColor c) { return c.alpha() > 40; }).translated(16, 0);
}

} // namespace

TEST(NudgeMessageRow, ALongMessageShrinksFirstThenElides) {
    const NudgeMessageRow row(longMessage, definitionFor(NudgeKindID::postureCheck).animation, Qt::black, 0);
    const QSizeF ideal = row.idealSize();
    const double fullText = ideal.width() - 15 - 8;
    ASSERT_GT(fullText, 150);
    EXPECT_GE(ideal.height(), 15);

    const auto roomy = row.fitText(fullText);
    EXPECT_EQ(roomy.text, longMessage);
    EXPECT_DOUBLE_EQ(roomy.scale, 1);

    const auto tight = row.fitText(fullText * 0.9);
    EXPECT_EQ(tight.text, longMessage) << "shrinking comes before eliding";
    EXPECT_NEAR(tight.scale, 0.9, 1e-9);

    const auto tooTight = row.fitText(fullText * 0.7);
    EXPECT_NEAR(tooTight.scale, 0.85, 1e-9) << "never below 85 %";
    EXPECT_TRUE(tooTight.text.endsWith(QChar(0x2026)));
    EXPECT_LE(tooTight.width, fullText * 0.7 + 1e-9);

    // What is painted stays inside the row and gets smaller with it.
    const QRect full = textInk(row, ideal.width() + 2);
    const QRect shrunk = textInk(row, 15 + 8 + fullText * 0.9);
    const QRect elided = textInk(row, 15 + 8 + fullText * 0.7);
    EXPECT_NEAR(full.left(), 23, 2);
    EXPECT_LE(shrunk.right(), 15 + 8 + fullText * 0.9 + 1);
    EXPECT_LT(shrunk.height(), full.height());
    EXPECT_LE(elided.right(), 15 + 8 + fullText * 0.7 + 1);
    EXPECT_GT(elided.right(), 15 + 8 + fullText * 0.7 - 12) << "the elided line fills its room";
    EXPECT_NEAR(full.center().y(), 15, 2) << "centred on the row";
    EXPECT_NEAR(elided.center().y(), 15, 2);
}
