#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>

namespace vornela::testing {

// A transparent canvas; unpremultiplied so sampled colours read back as painted.
inline QImage blankCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

inline int alphaAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).alpha();
}

// The smallest rectangle holding every pixel that passes `inked` (empty when none does).
inline QRect inkBounds(const QImage& image, const std::function<bool(QColor)>& inked) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inked(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline QRect opaqueBounds(const QImage& image, int minimumAlpha = 1) {
    return inkBounds(image, [minimumAlpha](QColor c) { return c.alpha() >= minimumAlpha; });
}

} // namespace vornela::testing
