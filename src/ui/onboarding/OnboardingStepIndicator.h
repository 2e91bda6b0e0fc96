#pragma once

#include <QVariantAnimation>
#include <QWidget>

namespace vornela {

// Three capsules, the current step long and highlighted. One element for assistive
// technologies: "Step 2 of 3", valued with the step's title.
class OnboardingStepIndicator : public QWidget {
public:
    explicit OnboardingStepIndicator(int page, QWidget* parent = nullptr);

    void setPage(int page, bool animated);
    int page() const { return page_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int page_;
    int fromPage_;
    QVariantAnimation progress_;
};

} // namespace vornela
