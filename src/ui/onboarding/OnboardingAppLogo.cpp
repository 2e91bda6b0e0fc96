#include "ui/onboarding/OnboardingAppLogo.h"

#include "core/dashboard/DashboardSymbol.h"
#include "ui/activity/ShareCardRenderer.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/dashboard/SymbolGlyphs.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QPainter>

#include <cmath>

namespace vornela {

OnboardingAppLogo::OnboardingAppLogo(int side, QWidget* parent) : QWidget(parent), side_(side) {
    setFixedSize(side, side);
    setAccessibleName(QStringLiteral("Vornela"));
}

void OnboardingAppLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF box(0, 0, side_, side_);
    const double scale = devicePixelRatioF();
    const QImage icon = applicationIcon(static_cast<int>(std::ceil(side_ * scale)));
    if (icon.isNull()) {
        paintSymbol(painter, DashboardSymbol::waterDrop, box, side_ * 0.45, onboardingTheme::accent());
        return;
    }
    const QPainterPath outline = continuousRoundedRect(box, side_ * 0.22);
    painter.setClipPath(outline);
    painter.drawImage(box, icon);
    // A hairline keeps the dark icon's edge visible on the dark window.
    painter.setClipping(false);
    painter.setPen(QPen(onboardingTheme::primaryAt(palette(), 0.10), 1));
    painter.drawPath(continuousRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), side_ * 0.22 - 0.5));
}

} // namespace vornela
