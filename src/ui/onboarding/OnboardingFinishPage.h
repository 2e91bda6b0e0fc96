#pragma once

#include <QVBoxLayout>
#include <QWidget>

namespace vornela {

// The last step: where Vornela lives from now on.
class OnboardingFinishPage : public QWidget {
public:
    explicit OnboardingFinishPage(QWidget* parent = nullptr);

    // Below the page's text, for lines other parts of the app add (starting at login).
    QVBoxLayout& extras() { return *extras_; }

private:
    QVBoxLayout* extras_;
};

} // namespace vornela
