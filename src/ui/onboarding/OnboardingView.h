#pragma once

#include "core/base/Signal.h"

#include <QPushButton>
#include <QWidget>

#include <functional>

namespace vornela {

class OnboardingFinishPage;
class OnboardingPageArea;
class OnboardingStepIndicator;
class OnboardingWindowController;

// The content of the first-run window for one showing: the page, the step indicator and the
// footer with Back and the primary button. Return presses the primary button; Escape goes
// where the controller says.
class OnboardingView : public QWidget {
public:
    struct Context {
        OnboardingWindowController& controller;
        // The set-up page, with its goals and nudge cards.
        std::function<QWidget*()> makeSetUpPage;
        // Lets other parts of the app add a line to the last page.
        std::function<void(OnboardingFinishPage&)> decorateFinishPage;
    };

    explicit OnboardingView(Context context, QWidget* parent = nullptr);
    ~OnboardingView() override;

    QPushButton& primaryButton() { return *primary_; }
    QPushButton& backButton() { return *back_; }
    QWidget* page() const;
    bool isTransitioning() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* makePage(int page);
    void showPage(int page, bool animated);
    void updateFooter(int page);

    Context context_;
    OnboardingPageArea* area_;
    OnboardingStepIndicator* indicator_;
    QPushButton* back_;
    QWidget* backPlaceholder_;
    QPushButton* primary_;
    Subscription pageChanges_;
};

} // namespace vornela
