#pragma once

#include <QPushButton>

namespace vornela {

// The footer's prominent button: white text on the step highlight colour in both schemes, a
// ring when it has the keyboard focus, darker while pressed.
class OnboardingPrimaryButton : public QPushButton {
public:
    explicit OnboardingPrimaryButton(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vornela
