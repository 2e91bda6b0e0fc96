#pragma once

#include "core/onboarding/OnboardingWindow.h"
#include "ui/onboarding/OnboardingView.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>

namespace vornela {

class OnboardingFrame;

// The first-run window on the desktop: an ordinary titled window, 640 wide, as high as its
// page, whose top edge stays put when the page changes. Each showing gets new content; the
// window itself is created once and only hidden when closed.
class OnboardingWindowHost : public OnboardingWindow {
public:
    // The content of a showing, once the core exists.
    using ContentFactory = std::function<OnboardingView::Context()>;

    OnboardingWindowHost();
    ~OnboardingWindowHost() override;

    void setContent(ContentFactory factory) { content_ = std::move(factory); }

    void present(int page, double height) override;
    void resize(int page, double height, bool animated) override;
    void close() override;
    bool isVisible() const override;

    QWidget* window() const;
    OnboardingView* view() const;

private:
    friend class OnboardingFrame;
    void setHeight(int height);
    bool frameShouldClose();
    void frameWillClose();
    void frameBecameActive();

    ContentFactory content_;
    QPointer<OnboardingFrame> frame_;
    QVariantAnimation heightAnimation_;
    bool inCloseEvent_ = false;
    bool closeRequestedDuringCloseEvent_ = false;
};

} // namespace vornela
