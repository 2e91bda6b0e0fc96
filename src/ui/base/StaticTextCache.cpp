#include "ui/base/StaticTextCache.h"

#include <QFontMetricsF>
#include <QPainter>

namespace vornela {

namespace {

// Enough for every label, figure and glyph a surface shows at once; past it the cache starts over.
constexpr qsizetype capacity = 512;

} // namespace

const QStaticText& StaticTextCache::get(const QString& text, const QFont& font) {
    const QString key = font.key() + QChar(0x1f) + text;
    auto found = texts_.find(key);
    if (found != texts_.end())
        return *found;
    if (texts_.size() >= capacity)
        texts_.clear();
    QStaticText prepared(text);
    prepared.setTextFormat(Qt::PlainText);
    prepared.setPerformanceHint(QStaticText::AggressiveCaching);
    prepared.prepare(QTransform(), font);
    return *texts_.insert(key, prepared);
}

void StaticTextCache::drawAtBaseline(QPainter& painter, double x, double baseline, const QString& text,
                                     const QFont& font) {
    const QStaticText& prepared = get(text, font);
    // QStaticText is placed by its top-left corner.
    const double ascent = QFontMetricsF(font).ascent();
    painter.setFont(font);
    painter.drawStaticText(QPointF(x, baseline - ascent), prepared);
}

} // namespace vornela
