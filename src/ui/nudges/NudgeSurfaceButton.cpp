#include "ui/nudges/NudgeSurfaceButton.h"

#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/SameThreadFills.h"
#include "ui/base/Typography.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <utility>

namespace vornela {

namespace {

constexpr double iconSide = 10;
constexpr double iconTitleSpacing = 4;
constexpr double horizontalPadding = 10;
constexpr double verticalPadding = 5;
constexpr double cornerRadius = 8;
constexpr double borderWidth = 0.5;
constexpr double hoverScale = 1.04;
constexpr double pressedLabelScale = 0.93;
constexpr double pressedLabelOpacity = 0.88;

QFont titleFont() {
    return interfaceFont(11, FontWeight::semibold);
}

QSizeF labelSizeFor(const QString& title) {
    const QFontMetricsF metrics(titleFont());
    return {iconSide + iconTitleSpacing + metrics.horizontalAdvance(title),
            std::max(iconSide, metrics.height())};
}

QColor withAlpha(Color color, double alpha) {
    return toQColor(color.withOpacity(alpha));
}

QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Icons are stroked paths in a 10 x 10 box: no icon font to depend on.
void paintIcon(QPainter& painter, const QString& name, const QRectF& box, const QColor& color) {
    QPainterPath path;
    auto at = [&box](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    if (name == QLatin1String("checkmark")) {
        path.moveTo(at(0.12, 0.55));
        path.lineTo(at(0.4, 0.82));
        path.lineTo(at(0.88, 0.18));
    } else if (name == QLatin1String("xmark")) {
        path.moveTo(at(0.2, 0.2));
        path.lineTo(at(0.8, 0.8));
        path.moveTo(at(0.8, 0.2));
        path.lineTo(at(0.2, 0.8));
    } else {
        return;
    }
    QPen pen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.strokePath(path, pen);
}

} // namespace

NudgeSurfaceButton::NudgeSurfaceButton(QString title, QString systemImage, Role role, Color accent,
                                       QString accessibilityLabel, const Clock& clock,
                                       const SystemPreferences& system, QWidget* parent)
    : QAbstractButton(parent), title_(std::move(title)), systemImage_(std::move(systemImage)), role_(role),
      accent_(accent), clock_(clock), system_(system) {
    setText(title_);
    setAccessibleName(accessibilityLabel);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    hover_ = {0, 0, 0, 0, CubicBezier::hover()};
    press_ = {0, 0, 0, 0, CubicBezier::hover()};
    connect(this, &QAbstractButton::pressed, this, &NudgeSurfaceButton::syncPressed);
    connect(this, &QAbstractButton::released, this, &NudgeSurfaceButton::syncPressed);
}

QSizeF NudgeSurfaceButton::idealSizeFor(const QString& title) {
    const QSizeF label = labelSizeFor(title);
    return {label.width() + 2 * horizontalPadding, label.height() + 2 * verticalPadding};
}

QSizeF NudgeSurfaceButton::idealSize() const {
    return idealSizeFor(title_);
}

QSize NudgeSurfaceButton::sizeHint() const {
    return idealSize().toSize();
}

void NudgeSurfaceButton::setAccent(Color accent) {
    accent_ = accent;
    if (onLookChanged)
        onLookChanged();
}

void NudgeSurfaceButton::setAccessibilityLabel(const QString& label) {
    setAccessibleName(label);
}

double NudgeSurfaceButton::hoverAmount(double now) const {
    return hover_.valueAt(now);
}

double NudgeSurfaceButton::pressAmount(double now) const {
    return press_.valueAt(now);
}

void NudgeSurfaceButton::setOnLightSurface(bool onLight) {
    if (onLight_ == onLight)
        return;
    onLight_ = onLight;
    if (onLookChanged)
        onLookChanged();
}

NudgeSurfaceButton::Look NudgeSurfaceButton::lookAt(double now) const {
    const double h = hoverAmount(now);
    const double p = pressAmount(now);
    const bool reduceMotion = system_.reduceMotion.get();
    const Color ink = onLight_ ? Color::rgb(0.11, 0.11, 0.12) : Color::white();
    Look look;
    if (role_ == Role::primary) {
        look.fill = blend(withAlpha(accent_, 0.28), withAlpha(accent_, 0.36), h);
        look.border = blend(withAlpha(accent_, 0.40), withAlpha(accent_, 0.52), h);
        look.content = blend(withAlpha(ink, 0.95), withAlpha(ink, 1.0), h);
    } else {
        look.fill = blend(withAlpha(ink, 0.10), withAlpha(ink, 0.14), h);
        look.border = blend(withAlpha(ink, 0.08), withAlpha(ink, 0.14), h);
        look.content = blend(withAlpha(ink, 0.72), withAlpha(ink, 1.0), h);
    }
    look.scale = reduceMotion ? 1 : 1 + (hoverScale - 1) * h;
    look.labelScale = reduceMotion ? 1 : 1 + (pressedLabelScale - 1) * p;
    look.labelOpacity = 1 + (pressedLabelOpacity - 1) * p;
    return look;
}

void NudgeSurfaceButton::paintLook(QPainter& painter, const QRectF& rect, double now) const {
    const Look look = lookAt(now);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF centre = rect.center();
    painter.translate(centre);
    painter.scale(look.scale, look.scale);
    painter.translate(-centre);

    const QPainterPath shape = continuousRoundedRect(rect, cornerRadius);
    painter.fillPath(shape, look.fill);
    // The border lies inside the shape: stroke a path inset by half the line width.
    const double inset = borderWidth / 2;
    painter.strokePath(
        continuousRoundedRect(rect.adjusted(inset, inset, -inset, -inset), cornerRadius - inset),
        QPen(look.border, borderWidth));

    const QFont font = titleFont();
    const QSizeF label = labelSizeFor(title_);
    const QRectF labelRect(centre.x() - label.width() / 2, centre.y() - label.height() / 2, label.width(),
                           label.height());
    painter.translate(centre);
    painter.scale(look.labelScale, look.labelScale);
    painter.translate(-centre);
    painter.setOpacity(painter.opacity() * look.labelOpacity);
    paintIcon(painter, systemImage_,
              QRectF(labelRect.left(), labelRect.center().y() - iconSide / 2, iconSide, iconSide),
              look.content);
    painter.setFont(font);
    painter.setPen(look.content);
    const QRectF titleRect(labelRect.left() + iconSide + iconTitleSpacing, labelRect.top(),
                           labelRect.width() - iconSide - iconTitleSpacing, labelRect.height());
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title_);
    painter.restore();
}

bool NudgeSurfaceButton::isAnimating(double now) const {
    return hover_.isRunningAt(now) || press_.isRunningAt(now);
}

void NudgeSurfaceButton::paintEvent(QPaintEvent*) {
    const SameThreadFills sameThread;
    // The owner paints the look, under its own transforms.
}

void NudgeSurfaceButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void NudgeSurfaceButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void NudgeSurfaceButton::hideEvent(QHideEvent* event) {
    QAbstractButton::hideEvent(event);
    // A hidden button gets no leave event: drop the hover and press looks at once.
    hovered_ = false;
    pressedLook_ = false;
    hover_ = {0, 0, 0, 0, CubicBezier::hover()};
    press_ = {0, 0, 0, 0, CubicBezier::hover()};
    if (onLookChanged)
        onLookChanged();
}

void NudgeSurfaceButton::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    retarget(hover_, hovered ? 1 : 0, hoverDuration);
}

void NudgeSurfaceButton::syncPressed() {
    if (isDown() == pressedLook_)
        return;
    pressedLook_ = isDown();
    retarget(press_, pressedLook_ ? 1 : 0, pressDuration);
}

void NudgeSurfaceButton::retarget(TimedCurve& curve, double target, double duration) {
    const double now = clock_.monotonicNow();
    const bool instant = system_.reduceMotion.get();
    curve = TimedCurve{curve.valueAt(now), target, now, instant ? 0 : duration, CubicBezier::hover()};
    if (onLookChanged)
        onLookChanged();
}

} // namespace vornela
