#include "ui/nudges/NudgeIconChip.h"

#include "core/base/SystemPreferences.h"
#include "core/nudges/DotMatrixStyle.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"

#include <QPainter>

namespace vornela {

NudgeIconChip::NudgeIconChip(const NudgeDefinition& definition, double size, const Clock& clock,
                             AnimationDriver& driver, const SystemPreferences& system, QWidget* parent)
    : QWidget(parent), definition_(definition), clock_(clock), driver_(driver), system_(system),
      dots_(definition.animation, settingsChipDotMatrixStyle, clock.monotonicNow()) {
    const int side = static_cast<int>(size + 0.5);
    setFixedSize(side, side);
    setAccessibleName({});
    setFocusPolicy(Qt::NoFocus);
}

NudgeIconChip::~NudgeIconChip() {
    if (registered_)
        driver_.remove(this);
}

void NudgeIconChip::setAnimate(bool animate) {
    dots_.setAnimate(animate);
    driver_.wake();
    update();
}

std::optional<double> NudgeIconChip::nextFrameDelay(double monotonicNow) const {
    return dots_.nextFrameDelay(monotonicNow, system_.reduceMotion.get());
}

void NudgeIconChip::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!registered_) {
        registered_ = true;
        dots_.restart(clock_.monotonicNow());
        driver_.add(this);
    }
}

void NudgeIconChip::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (registered_) {
        registered_ = false;
        driver_.remove(this);
    }
}

void NudgeIconChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(definition_.accentColor.withOpacity(0.14)));
    painter.drawPath(continuousRoundedRect(box, box.width() * 0.25));
    dots_.paint(painter, box, clock_.monotonicNow(), system_.reduceMotion.get());
}

} // namespace vornela
