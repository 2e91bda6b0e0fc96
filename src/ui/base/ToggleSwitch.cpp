#include "ui/base/ToggleSwitch.h"

#include "ui/base/WindowTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace vornela {

namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

} // namespace

ToggleSwitch::ToggleSwitch(const QString& accessibleName, QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (!accessibleName.isEmpty()) {
        setAccessibleName(accessibleName);
        setToolTip(accessibleName);
    }
    knob_.setDuration(150);
    knob_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&knob_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        position_ = value.toDouble();
        update();
    });
}

QSize ToggleSwitch::sizeHint() const {
    // Room for the focus ring around the track.
    return {trackWidth + 6, trackHeight + 6};
}

void ToggleSwitch::setCheckedQuietly(bool checked) {
    const QSignalBlocker blocker(this);
    setChecked(checked);
}

void ToggleSwitch::checkStateSet() {
    // A value set from outside shows at once; a click slides.
    moveKnob(false);
}

void ToggleSwitch::nextCheckState() {
    QAbstractButton::nextCheckState();
    moveKnob(animated_ && isVisible());
}

void ToggleSwitch::moveKnob(bool animated) {
    const double target = isChecked() ? 1.0 : 0.0;
    knob_.stop();
    if (!animated) {
        position_ = target;
        update();
        return;
    }
    knob_.setStartValue(position_);
    knob_.setEndValue(target);
    knob_.start();
}

bool ToggleSwitch::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void ToggleSwitch::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ToggleSwitch::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = isDarkPalette(pal);
    const QRectF track(QPointF((width() - trackWidth) / 2.0, (height() - trackHeight) / 2.0),
                       QSizeF(trackWidth, trackHeight));
    const double radius = trackHeight / 2.0;

    // Off is a neutral grey that stands apart from the window in either scheme.
    const QColor offTrack = dark ? QColor(0x5a, 0x5a, 0x60) : QColor(0xc9, 0xc9, 0xce);
    const QColor onTrack = pal.color(QPalette::Active, QPalette::Highlight);
    QColor fill = mix(offTrack, onTrack, position_);
    if (hovered_ && isEnabled())
        fill = fill.lighter(dark ? 115 : 96);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);

    const double inset = 2;
    const double diameter = trackHeight - 2 * inset;
    const double x = track.left() + inset + position_ * (trackWidth - 2 * inset - diameter);
    const QRectF knob(x, track.top() + inset, diameter, diameter);
    painter.setBrush(QColor(0, 0, 0, dark ? 90 : 45));
    painter.drawEllipse(knob.translated(0, 0.75));
    painter.setBrush(isDown() ? QColor(0xee, 0xee, 0xf0) : QColor(Qt::white));
    painter.drawEllipse(knob);

    if (hasFocus()) {
        painter.setOpacity(1.0);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(withOpacity(pal.color(QPalette::Active, QPalette::Highlight), 0.6), 2));
        painter.drawRoundedRect(track.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    }
}

} // namespace vornela
