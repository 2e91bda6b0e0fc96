#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/activity/ShareCardRenderer.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

using namespace vornela;

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

TEST(ShareCardRendering, IsAFixedSizeRepeatablePictureWhoseBackgroundsGlowWhereTheyShould) {
    const ShareCardRenderer renderer(applicationIcon(108), QStringLiteral("example.org"));
    const ShareCardContent content = sampleContent();
    const QImage mono = renderer.render(content, ActivityShareBackground::mono);
    EXPECT_EQ(mono.size(), QSize(2022, 1674));
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
}

TEST(ShareCardRendering, EncodesToAJpegThatDecodesAtTheSameSizeAndFailsCleanly) {
    const QImage card = ShareCardRenderer(QImage(), QStringLiteral("example.org"))
                            .render(sampleContent(), ActivityShareBackground::thriving);
    const std::optional<QByteArray> jpeg = encodeJpeg(card);
    ASSERT_TRUE(jpeg);
    EXPECT_TRUE(jpeg->startsWith("\xFF\xD8\xFF"));
    QBuffer buffer(const_cast<QByteArray*>(&*jpeg));
    QImageReader reader(&buffer, "jpeg");
    EXPECT_EQ(reader.read().size(), QSize(2022, 1674));

    EXPECT_FALSE(encodeJpeg(QImage())) << "no picture, no bytes";
}

TEST(ActivityHeatMapChartDrawing, AOneWeekMonthKeepsItsWholeNameAndTodaysCell) {
    // 2026-06-01: June is one cell wide, yet its name and today's cell both fall inside the chart.
    const Calendar calendar;
    const ActivityHeatMapGrid grid = ActivityHeatMapGrid::build({{"2026-06-01", 90}}, 1780308000, calendar);
    const ActivityHeatMapChart chart(grid, ActivityHeatMapChartStyle::notch, 1);
    const QSizeF size = chart.size();
    EXPECT_EQ(size.height(), 18 + 7 * 11 + 6 * 3);

    QImage image(size.toSize() + QSize(40, 0), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    chart.paint(painter, QRectF(QPointF(0, 0), size));
    painter.end();
    auto litColumns = [&](int y0, int y1, auto lit) {
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = y0; y < y1; ++y)
                if (lit(image.pixelColor(x, y))) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair{first, last};
    };
    const auto [labelLeft, labelRight] = litColumns(0, 12, [](QColor c) { return c.lightnessF() > 0.2; });
    EXPECT_LT(labelRight, size.width()) << "the last month's name is not cut at the chart's edge";
    // Monday's row: the one thriving cell of the grid, under June's name.
    const auto [cellLeft, cellRight] =
        litColumns(18 + 14 + 5, 18 + 14 + 6, [](QColor c) { return c.greenF() > 0.7 && c.redF() < 0.3; });
    EXPECT_GE(cellLeft, labelLeft);
    EXPECT_LE(cellRight, labelRight + 1);
    EXPECT_GT(cellRight - cellLeft, 5);
}
