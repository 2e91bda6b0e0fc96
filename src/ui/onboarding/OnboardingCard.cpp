#include "ui/onboarding/OnboardingCard.h"

#include "ui/onboarding/OnboardingTheme.h"

#include <QPainter>

namespace vornela {

namespace {

class Divider : public QWidget {
public:
    Divider() { setFixedHeight(1); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(QRect(14, 0, width() - 14, 1), onboardingTheme::primaryAt(palette(), 0.08));
    }
};

} // namespace

OnboardingCard::OnboardingCard(QWidget* parent) : QWidget(parent) {
    rows_ = new QVBoxLayout(this);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
}

void OnboardingCard::addDivider() {
    rows_->addWidget(new Divider);
}

void OnboardingCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    onboardingTheme::paintCard(painter, QRectF(rect()), palette());
}

} // namespace vornela
