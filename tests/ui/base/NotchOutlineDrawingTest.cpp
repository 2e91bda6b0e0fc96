#include "core/notch/NotchShapes.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace vornela;

namespace {

constexpr double kScale = 4;

QImage draw(const QPainterPath& path, QSizeF size) {
    QImage image((size * kScale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kScale, kScale);
    painter.fillPath(path, Qt::black);
    return image;
}

// Coverage at a point in logical coordinates.
int alphaAt(const QImage& image, QPointF p) {
    return image.pixelColor(QPoint(int(std::floor(p.x() * kScale)), int(std::floor(p.y() * kScale)))).alpha();
}

} // namespace

// Core's outline reaches the painter with its bounds and non-zero fill; the conversions are exact.
TEST(NotchOutlineDrawing, OutlinesConvertWithNonZeroFillAndEmptyRectsDrawNothing) {
    const QPainterPath path = toPainterPath(macNotchShape(Rect{10, 0, 100, 32}, 0, 14));
    EXPECT_EQ(path.fillRule(), Qt::WindingFill);
    EXPECT_EQ(path.boundingRect(), QRectF(10, 0, 100, 32));
    const QImage image = draw(path, {120, 32});
    EXPECT_GT(alphaAt(image, {60, 16}), 192);
    EXPECT_LT(alphaAt(image, {10.5, 31.5}), 64) << "soft bottom corners";
    EXPECT_TRUE(toPainterPath(macNotchShape(Rect{0, 0, 0, 32}, 0, 14)).isEmpty());
    EXPECT_EQ(toRect(toQRectF(Rect{1.5, 2, 3, 4.25})), (Rect{1.5, 2, 3, 4.25}));
}

TEST(NotchOutlineDrawing, ContinuousCornersReadAsTheirRadiusAndNeverOverlapInSmallRects) {
    const double r = 12;
    const QPainterPath path = continuousRoundedRect(QRectF(0, 0, 100, 60), r);
    const QImage image = draw(path, {100, 60});
    // Where a circular corner of radius r passes (its 45-degree point), the continuous corner
    // passes too: the corner reads as the same size.
    const double m = r * (1 - 1 / std::sqrt(2.0));
    EXPECT_LT(alphaAt(image, {m - 1, m - 1}), 64);
    EXPECT_GT(alphaAt(image, {m + 1, m + 1}), 192);
    // It leaves the edge later than the circle would: just past r along the top it still curves.
    EXPECT_LT(alphaAt(image, {r + 0.5, 0.05}), 160);
    EXPECT_GT(alphaAt(image, {50, 0.5}), 192);

    // A radius too large for the rectangle is reduced: the shape stays inside and convex.
    const QPainterPath pill = continuousRoundedRect(QRectF(0, 0, 40, 10), 30);
    EXPECT_EQ(pill.boundingRect(), QRectF(0, 0, 40, 10));
    EXPECT_TRUE(pill.contains(QPointF(20, 5)));
    EXPECT_TRUE(continuousRoundedRect(QRectF(), 4).isEmpty());
}
