#include "UiTestPictures.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/activity/ShareCardRenderer.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

using namespace vornela;
using namespace vornela::testing;

namespace {

// 2026-05-15 12:00 UTC, with a score every third day.
ShareCardContent sampleContent() {
    const Calendar calendar;
    const double now = 1778846400;
    IntMap history;
    for (int back = 0; back < 90; back += 3)
        history[calendar.dayKey(*calendar.addDays(now, -back))] = back;
    return {ActivityHeatMapGrid::build(history, now, calendar), shareDateRangeText(now, calendar), 1};
}

double brightness(const QImage& image, double x, double y) {
    const QColor c = image.pixelColor(int(x * image.width()), int(y * image.height()));
    return (c.redF() + c.greenF() + c.blueF()) / 3;
}

} // namespace

TEST(ShareCardRendering, IsAFixedSizeRepeatableJpegWhoseBackgroundsGlowWhereTheyShould) {
    const ShareCardRenderer renderer(applicationIcon(108), QStringLiteral("example.org"));
    const ShareCardContent content = sampleContent();
    const QImage mono = renderer.render(content, ActivityShareBackground::mono);
    EXPECT_EQ(mono, renderer.render(content, ActivityShareBackground::mono))
        << "grain and all, pixel for pixel";

    // Each theme's main glow is bright where its centre is and its base colour far from it.
    const QImage amber = renderer.render(content, ActivityShareBackground::amber);
    const QImage colorful = renderer.render(content, ActivityShareBackground::colorful);
    EXPECT_GT(brightness(mono, 0.5, 0.12), brightness(mono, 0.02, 0.98) + 0.1);
    const QColor amberGlow = amber.pixelColor(int(0.48 * 2022), int(0.12 * 1674));
    EXPECT_GT(amberGlow.redF(), amberGlow.blueF() + 0.15) << "amber glows orange";
    const QColor tealGlow = colorful.pixelColor(int(0.06 * 2022), int(0.45 * 1674));
    EXPECT_GT(tealGlow.greenF(), tealGlow.redF() + 0.1) << "colorful glows teal on the left";
    EXPECT_NE(amber.pixelColor(1011, 200), mono.pixelColor(1011, 200));

    // Saved as a JPEG that decodes at the card's fixed size; no picture, no bytes.
    const std::optional<QByteArray> jpeg =
        encodeJpeg(ShareCardRenderer(QImage(), {}).render(content, ActivityShareBackground::thriving));
    ASSERT_TRUE(jpeg);
    QBuffer buffer(const_cast<QByteArray*>(&*jpeg));
    EXPECT_EQ(QImageReader(&buffer, "jpeg").read().size(), QSize(2022, 1674));
    EXPECT_FALSE(encodeJpeg(QImage()));
}

TEST(ActivityHeatMapChartDrawing, AOneWeekMonthKeepsItsWholeNameAndTodaysCell) {
    // 2026-06-01: June is one cell wide, yet its name and today's cell both fall inside the chart.
    const Calendar calendar;
    const ActivityHeatMapGrid grid = ActivityHeatMapGrid::build({{"2026-06-01", 90}}, 1780308000, calendar);
    const ActivityHeatMapChart chart(grid, ActivityHeatMapChartStyle::notch, 1);
    const QSizeF size = chart.size();
    QImage image(size.toSize() + QSize(40, 0), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    chart.paint(painter, QRectF(QPointF(0, 0), size));
    painter.end();
    const QRect label =
        inkBounds(image.copy(0, 0, image.width(), 12), [](QColor c) { return c.lightnessF() > 0.2; });
    EXPECT_LT(label.right(), size.width()) << "the last month's name is not cut at the chart's edge";
    // Monday's row: the one thriving cell of the grid, under June's name.
    const QRect cell = inkBounds(image.copy(0, 18 + 14 + 5, image.width(), 1),
                                 [](QColor c) { return c.greenF() > 0.7 && c.redF() < 0.3; });
    EXPECT_GE(cell.left(), label.left());
    EXPECT_LE(cell.right(), label.right() + 1);
    EXPECT_GT(cell.width(), 6);
}
