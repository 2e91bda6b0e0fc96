#pragma once

#include "core/dashboard/DashboardSymbol.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace vornela {

// The dashboard's and the ruler's symbols, drawn as glyphs of Material Icons (Debian's
// fonts-material-design-icons-iconfont), so they stay crisp at every scale.

// Makes sure the icon font is known to Qt, adding the system's copy when fontconfig did not list
// it. Returns false when it cannot be found (symbols are then left out).
bool ensureSymbolFont();
QFont symbolFont(double pixelSize);
QChar symbolGlyph(DashboardSymbol symbol);
// The glyph centred in `box` at `pixelSize`, turned `degrees` clockwise about the box centre.
void paintSymbol(QPainter& painter, DashboardSymbol symbol, const QRectF& box, double pixelSize,
                 const QColor& color, double degrees = 0);
// Lets go of the laid-out glyphs once no symbol is on screen.
void releaseSymbolGlyphs();

} // namespace vornela
