#include "ui/onboarding/OnboardingPrimaryButton.h"

#include "ui/base/Typography.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace vornela {

namespace {
constexpr int kHeight = 32;
constexpr int kPadding = 20;
} // namespace

OnboardingPrimaryButton::OnboardingPrimaryButton(QWidget* parent) : QPushButton(parent) {
    setFont(interfaceFont(13, FontWeight::semibold));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

QSize OnboardingPrimaryButton::sizeHint() const {
    const int label = QFontMetrics(font()).horizontalAdvance(text());
    return QSize(std::max(96, label + 2 * kPadding), kHeight + 4);
}

void OnboardingPrimaryButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(2, 2, -2, -2);
    // A blue dark enough for white text to read (about 4.6:1); pressing darkens it further.
    QColor fill = onboardingTheme::stepHighlight().darker(isDown() ? 150 : 128);
    if (!isEnabled())
        fill.setAlphaF(0.4f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(body, 7, 7);
    if (hasFocus()) {
        QColor ring = onboardingTheme::stepHighlight();
        ring.setAlphaF(0.55f);
        painter.setPen(QPen(ring, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
    }
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(body, Qt::AlignCenter, text());
}

} // namespace vornela
