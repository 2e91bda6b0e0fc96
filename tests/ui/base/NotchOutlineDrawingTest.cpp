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

QPointF cubicAt(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t) {
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

} // namespace

TEST(NotchOutlineDrawing, AThirtyTwoPointNotchHasTinyTopCornersAndSoftBottomCorners) {
    const double h = 32;
    const double b = clipBottomRadius(h);
    EXPECT_DOUBLE_EQ(b, 14.72);
    const QImage image = draw(toPainterPath(macNotchShape(Rect{0, 0, 200, h}, std::nullopt, b)), {200, h});

    // Top corners: 1.92 points, so the very corner is cut and one point in is solid.
    EXPECT_LT(alphaAt(image, {0.1, 0.1}), 64);
    EXPECT_LT(alphaAt(image, {199.9, 0.1}), 64);
    EXPECT_GT(alphaAt(image, {1.5, 1.5}), 192);
    EXPECT_GT(alphaAt(image, {198.5, 1.5}), 192);

    // Bottom right corner: just inside the curve is filled, just outside is not.
    const double e = std::min(0.12 * h, 6.0);
    const QPointF mid =
        cubicAt({200, h - b - e}, {200, h - 0.55 * b}, {200 - 0.15 * b, h}, {200 - b, h}, 0.5);
    const QPointF diagonal(1 / std::sqrt(2.0), 1 / std::sqrt(2.0));
    EXPECT_GT(alphaAt(image, mid - 1.2 * diagonal), 192);
    EXPECT_LT(alphaAt(image, mid + 1.2 * diagonal), 64);
    // Mirrored on the left.
    const QPointF leftMid(200 - mid.x(), mid.y());
    EXPECT_GT(alphaAt(image, leftMid + QPointF(1.2, -1.2) / std::sqrt(2.0)), 192);
    EXPECT_LT(alphaAt(image, leftMid + QPointF(-1.2, 1.2) / std::sqrt(2.0)), 64);
    // Far above the bottom corner the side is straight and solid to the edge.
    EXPECT_GT(alphaAt(image, {199.6, 8}), 192);
}

TEST(NotchOutlineDrawing, OutlinesConvertWithNonZeroFillAndEmptyRectsDrawNothing) {
    const QPainterPath path = toPainterPath(macNotchShape(Rect{10, 0, 100, 32}, 0, 14));
    EXPECT_EQ(path.fillRule(), Qt::WindingFill);
    EXPECT_EQ(path.boundingRect(), QRectF(10, 0, 100, 32));
    EXPECT_TRUE(toPainterPath(macNotchShape(Rect{0, 0, 0, 32}, 0, 14)).isEmpty());
    EXPECT_EQ(toRect(toQRectF(Rect{1.5, 2, 3, 4.25})), (Rect{1.5, 2, 3, 4.25}));
    const QColor c = toQColor(Color::rgb(1, 0.5, 0, 0.25));
    EXPECT_EQ(c.red(), 255);
    EXPECT_NEAR(c.green(), 128, 1);
    EXPECT_EQ(c.blue(), 0);
    EXPECT_NEAR(c.alpha(), 64, 1);
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
