#pragma once

#include <QWidget>

namespace vornela {

// The application's icon, `side` points square, in a rounded square; a water drop in the accent
// colour when the icon cannot be read.
class OnboardingAppLogo : public QWidget {
public:
    explicit OnboardingAppLogo(int side, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int side_;
};

} // namespace vornela
