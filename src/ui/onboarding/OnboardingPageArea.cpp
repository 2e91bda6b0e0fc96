#include "ui/onboarding/OnboardingPageArea.h"

#include "ui/onboarding/OnboardingTheme.h"

#include <QPainter>

namespace vornela {

namespace {
// How far a page travels while it slides, as a share of the width: far enough to read as a
// step, near enough that both pages stay legible while they fade.
constexpr double kSlide = 0.35;
} // namespace

OnboardingPageArea::OnboardingPageArea(QWidget* parent) : QWidget(parent) {
    transition_.setStartValue(0.0);
    transition_.setEndValue(1.0);
    transition_.setDuration(onboardingTheme::pageChangeMilliseconds());
    transition_.setEasingCurve(onboardingTheme::pageChangeCurve());
    QObject::connect(&transition_, &QVariantAnimation::valueChanged, this, [this] { update(); });
    QObject::connect(&transition_, &QVariantAnimation::finished, this, [this] { finishTransition(); });
}

void OnboardingPageArea::setPage(QWidget* page, QSize finalSize, OnboardingPageDirection direction,
                                 bool animated, bool reduceMotion) {
    transition_.stop();
    QWidget* old = page_;
    page->setParent(this);
    page->setGeometry(rect());
    page_ = page;
    if (old && animated && isVisible()) {
        outgoing_ = old->grab();
        // The new page as it will be, before the window has grown or shrunk to it.
        page->resize(finalSize);
        incoming_ = page->grab();
        page->setGeometry(rect());
        direction_ = direction;
        fadeOnly_ = reduceMotion;
        page->hide();
        transition_.start();
    } else {
        page->show();
    }
    delete old;
    if (!isTransitioning())
        page->setFocus();
}

void OnboardingPageArea::finishTransition() {
    outgoing_ = {};
    incoming_ = {};
    if (page_) {
        page_->show();
        page_->setFocus();
    }
    update();
}

void OnboardingPageArea::resizeEvent(QResizeEvent*) {
    if (page_)
        page_->setGeometry(rect());
}

void OnboardingPageArea::paintEvent(QPaintEvent*) {
    if (!isTransitioning())
        return;
    const double t = transition_.currentValue().toDouble();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Forward: the new page comes from the trailing edge and the old leaves by the leading one.
    const double sign = direction_ == OnboardingPageDirection::forward ? 1.0 : -1.0;
    const double travel = fadeOnly_ ? 0.0 : width() * kSlide * sign;
    painter.setOpacity(1.0 - t);
    painter.drawPixmap(QPointF(-travel * t, 0), outgoing_);
    painter.setOpacity(t);
    painter.drawPixmap(QPointF(travel * (1.0 - t), 0), incoming_);
}

} // namespace vornela
