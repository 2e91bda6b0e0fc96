#pragma once

#include "core/onboarding/OnboardingPage.h"

#include <QPixmap>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

namespace vornela {

// Shows one page at a time. A new page slides in from the side it comes from while the old one
// slides out the other way, both fading; with reduce motion they only cross-fade.
class OnboardingPageArea : public QWidget {
public:
    explicit OnboardingPageArea(QWidget* parent = nullptr);

    // Takes ownership of `page`; the previous page is deleted. `finalSize` is the area's size
    // once the window has followed the page.
    void setPage(QWidget* page, QSize finalSize, OnboardingPageDirection direction, bool animated,
                 bool reduceMotion);
    QWidget* page() const { return page_; }
    bool isTransitioning() const { return transition_.state() == QAbstractAnimation::Running; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void finishTransition();

    QPointer<QWidget> page_;
    QPixmap outgoing_;
    QPixmap incoming_;
    OnboardingPageDirection direction_ = OnboardingPageDirection::forward;
    bool fadeOnly_ = false;
    QVariantAnimation transition_;
};

} // namespace vornela
