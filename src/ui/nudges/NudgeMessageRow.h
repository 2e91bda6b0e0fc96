#pragma once

#include "ui/nudges/DotMatrixView.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QPainter;

namespace vornela {

// [15 x 15 dot matrix] 8 pt [message]: the nudge's animation beside its one-line message, 11 px
// semibold. A message too wide for its room is first shrunk (down to 85 %), then elided at the end.
class NudgeMessageRow {
public:
    static constexpr double spacing = 8;
    static constexpr double fontSize = 11;
    static constexpr double minimumScale = 0.85;

    // The message as it is drawn in a given width.
    struct FittedText {
        QString text;     // possibly elided
        double scale = 1; // applied to the 11 px font
        double width = 0; // drawn width, scale included
    };

    NudgeMessageRow(QString message, DotMatrixAnimation animation, QColor textColor, double startDate);

    void setMessage(QString message) { message_ = std::move(message); }
    const QString& message() const { return message_; }
    void setTextColor(QColor color) { textColor_ = color; }
    QColor textColor() const { return textColor_; }
    DotMatrixView& dotMatrix() { return dotMatrix_; }
    const DotMatrixView& dotMatrix() const { return dotMatrix_; }

    // The full message at full size.
    QSizeF idealSize() const;
    // The message in `textWidth` points of room.
    FittedText fitText(double textWidth) const;
    // Lays the row out in `rect` (left aligned, centred vertically) and draws it.
    void paint(QPainter& painter, const QRectF& rect, double now, bool reduceMotion) const;
    std::optional<double> nextFrameDelay(double now, bool reduceMotion) const {
        return dotMatrix_.nextFrameDelay(now, reduceMotion);
    }

private:
    QString message_;
    QColor textColor_;
    DotMatrixView dotMatrix_;
};

} // namespace vornela
