#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

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

// WCAG contrast ratio between two colours.
inline double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast any pixel inside `box` has against the colour in its top-left corner:
// the glyphs' cores against the ground they are drawn on.
inline double inkContrast(const QImage& image, QRect box) {
    box &= image.rect();
    const QColor ground = image.pixelColor(box.topLeft());
    double best = 1;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            best = std::max(best, contrast(image.pixelColor(x, y), ground));
    return best;
}

// A left-button press (and release) at `at` in the widget's coordinates; its centre by default.
inline void mouse(QWidget& target, QEvent::Type type, std::optional<QPointF> at = {}) {
    const QPointF p = at.value_or(QRectF(target.rect()).center());
    QMouseEvent event(type, p, target.mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

inline void click(QWidget& target, std::optional<QPointF> at = {}) {
    mouse(target, QEvent::MouseButtonPress, at);
    mouse(target, QEvent::MouseButtonRelease, at);
}

} // namespace vornela::testing
