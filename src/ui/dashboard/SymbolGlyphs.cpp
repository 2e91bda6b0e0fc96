#include "ui/dashboard/SymbolGlyphs.h"

#include "ui/base/StaticTextCache.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

namespace vornela {

namespace {

constexpr const char* family = "Material Icons";

StaticTextCache& glyphCache() {
    // Glyphs are laid out once; the interface thread is the only one that paints.
    static StaticTextCache glyphs;
    return glyphs;
}

} // namespace

void releaseSymbolGlyphs() {
    glyphCache().clear();
}

bool ensureSymbolFont() {
    static const bool available = [] {
        if (QFontDatabase::families().contains(QString::fromLatin1(family)))
            return true;
        return QFontDatabase::addApplicationFont(QStringLiteral(
                   "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf")) >=
               0;
    }();
    return available;
}

QFont symbolFont(double pixelSize) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
    font.setHintingPreference(QFont::PreferNoHinting);
    // A missing glyph must not fall back to a letter of another face.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QChar symbolGlyph(DashboardSymbol symbol) {
    // Code points of the Material Icons font (its codepoints list).
    switch (symbol) {
    case DashboardSymbol::activity:
        return QChar(0xe9b0); // grid_view
    case DashboardSymbol::settings:
        return QChar(0xe8b8); // settings
    case DashboardSymbol::waterDrop:
        return QChar(0xe798); // water_drop
    case DashboardSymbol::checkCircle:
        return QChar(0xe86c); // check_circle
    case DashboardSymbol::figureStand:
        return QChar(0xe4eb); // man
    case DashboardSymbol::meal:
        return QChar(0xe56c); // restaurant
    case DashboardSymbol::plus:
        return QChar(0xe145); // add
    case DashboardSymbol::checkmark:
        return QChar(0xe5ca); // check
    case DashboardSymbol::minus:
        return QChar(0xe15b); // remove
    case DashboardSymbol::back:
        return QChar(0xe5cb); // chevron_left
    case DashboardSymbol::share:
        return QChar(0xe6b8); // ios_share
    }
    return QChar(0xe145);
}

void paintSymbol(QPainter& painter, DashboardSymbol symbol, const QRectF& box, double pixelSize,
                 const QColor& color, double degrees) {
    if (!ensureSymbolFont())
        return;
    painter.save();
    if (degrees != 0) {
        const QPointF centre = box.center();
        painter.translate(centre);
        painter.rotate(degrees);
        painter.translate(-centre);
    }
    StaticTextCache& glyphs = glyphCache();
    const QFont font = symbolFont(pixelSize);
    const QString text(symbolGlyph(symbol));
    const QSizeF size = glyphs.get(text, font).size();
    painter.setPen(color);
    painter.setFont(font);
    painter.drawStaticText(QPointF(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2),
                           glyphs.get(text, font));
    painter.restore();
}

} // namespace vornela
