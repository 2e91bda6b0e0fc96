#include "ui/dashboard/ChromeButtonPainter.h"

#include "ui/base/ContinuousRoundedRect.h"
#include "ui/dashboard/SymbolGlyphs.h"

#include <QPainter>

namespace vornela {

namespace {

constexpr double borderWidth = 0.5;

QColor white(double opacity) {
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity));
}

void scaleAbout(QPainter& painter, QPointF centre, double scale) {
    if (scale == 1)
        return;
    painter.translate(centre);
    painter.scale(scale, scale);
    painter.translate(-centre);
}

} // namespace

void ChromeButtonPainter::paint(QPainter& painter, const QRectF& rect, const ButtonLook& look,
                                DashboardSymbol symbol) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setOpacity(painter.opacity() * look.opacity);
    const QPointF centre = rect.center();
    scaleAbout(painter, centre, look.scale);
    painter.fillPath(continuousRoundedRect(rect, cornerRadius), white(look.fillOpacity));
    // The border lies inside the shape.
    const double inset = borderWidth / 2;
    painter.strokePath(
        continuousRoundedRect(rect.adjusted(inset, inset, -inset, -inset), cornerRadius - inset),
        QPen(white(look.borderOpacity), borderWidth));
    scaleAbout(painter, centre, look.labelScale);
    paintSymbol(painter, symbol, rect, symbolPixelSize, white(look.labelOpacity), look.labelRotation);
    painter.restore();
}

} // namespace vornela
