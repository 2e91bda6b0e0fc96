#include "ui/nudges/NudgeCompletionColors.h"

namespace vornela {

namespace {

// The control background on Linux desktops: white.
const QColor controlBackground = QColor::fromRgbF(1, 1, 1, 1);

QColor rgba(double r, double g, double b, double a) {
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b),
                            static_cast<float>(a));
}

} // namespace

QColor NudgeCompletionColors::material() const {
    // No blur of what lies behind; a thin tint keeps the card readable over anything.
    return dark ? rgba(0.12, 0.12, 0.13, 0.6) : rgba(0.96, 0.96, 0.97, 0.6);
}

QColor NudgeCompletionColors::surface() const {
    if (dark)
        return rgba(0.14, 0.14, 0.15, 1);
    QColor color = controlBackground;
    color.setAlphaF(0.94F);
    return color;
}

QColor NudgeCompletionColors::wash() const {
    return rgba(1, 1, 1, dark ? 0.06 : 0.55);
}

QColor NudgeCompletionColors::border() const {
    return dark ? rgba(1, 1, 1, 0.14) : rgba(0, 0, 0, 0.10);
}

QColor NudgeCompletionColors::primaryLabel() const {
    return dark ? rgba(1, 1, 1, 1) : rgba(0.1, 0.1, 0.1, 1);
}

} // namespace vornela
