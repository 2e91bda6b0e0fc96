#pragma once

#include "core/base/Color.h"
#include "core/dashboard/ButtonLook.h"
#include "core/dashboard/DashboardSymbol.h"

#include <QRectF>

class QPainter;

namespace vornela {

// Draws the round-cornered white-on-black buttons of the dashboard (the header's activity and
// settings buttons, the chips' quick actions) in a given look.
struct ChromeButtonPainter {
    double cornerRadius = 11;
    double symbolPixelSize = 17;

    void paint(QPainter& painter, const QRectF& rect, const ButtonLook& look, DashboardSymbol symbol) const;
};

} // namespace vornela
