#include "ui/onboarding/OnboardingIconChip.h"

#include "core/base/Clock.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"

#include <QPainter>

#include <cmath>

namespace vornela {

OnboardingIconChip::OnboardingIconChip(const NudgeDefinition& definition, int side, const Clock& clock,
                                       bool reduceMotion, QWidget* parent)
    : QWidget(parent), tint_(toQColor(definition.accentColor)), clock_(clock), reduceMotion_(reduceMotion),
      dots_(definition.animation, settingsChipDotMatrixStyle, clock.monotonicNow()) {
    setFixedSize(side, side);
    setAccessibleName({});
    setAttribute(Qt::WA_TransparentForMouseEvents);
    frame_.setSingleShot(true);
    QObject::connect(&frame_, &QTimer::timeout, this, [this] { update(); });
}

void OnboardingIconChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0, 0, width(), height());
    QColor fill = tint_;
    fill.setAlphaF(0.14f);
    painter.fillPath(continuousRoundedRect(box, width() * 0.25), fill);
    dots_.paint(painter, box, clock_.monotonicNow(), reduceMotion_);
    scheduleFrame();
}

void OnboardingIconChip::showEvent(QShowEvent*) {
    dots_.restart(clock_.monotonicNow());
    update();
}

void OnboardingIconChip::hideEvent(QHideEvent*) {
    frame_.stop();
}

void OnboardingIconChip::scheduleFrame() {
    const auto delay = dots_.nextFrameDelay(clock_.monotonicNow(), reduceMotion_);
    if (!delay || !isVisible())
        return;
    // Zero: the animation moves every display frame.
    const int ms = *delay <= 0 ? 16 : static_cast<int>(std::ceil(*delay * 1000));
    frame_.start(ms);
}

} // namespace vornela
