#pragma once

#include <QWidget>

namespace vornela {

// The first step: the logo, the name and what Vornela does.
class OnboardingMeetPage : public QWidget {
public:
    explicit OnboardingMeetPage(QWidget* parent = nullptr);
};

} // namespace vornela
