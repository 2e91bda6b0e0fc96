#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

class QPainter;

namespace vornela {

// Laid-out text kept between frames: drawing a prepared QStaticText skips the text layout that
// QPainter::drawText does on every call, which is most of the cost of a frame full of small labels.
class StaticTextCache {
public:
    // The text prepared in `font`, laid out once.
    const QStaticText& get(const QString& text, const QFont& font);
    // Draws it with its left edge at x and its baseline at y.
    void drawAtBaseline(QPainter& painter, double x, double baseline, const QString& text, const QFont& font);
    double width(const QString& text, const QFont& font) { return get(text, font).size().width(); }
    // Lets go of every prepared text (and with it the font engines they hold).
    void clear() { texts_.clear(); }

private:
    QHash<QString, QStaticText> texts_;
};

} // namespace vornela
