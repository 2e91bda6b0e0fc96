#include "ui/nudges/NudgeMessageRow.h"

#include "ui/base/Typography.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace vornela {

namespace {

QFont messageFont() {
    return interfaceFont(NudgeMessageRow::fontSize, FontWeight::semibold);
}

} // namespace

NudgeMessageRow::NudgeMessageRow(QString message, DotMatrixAnimation animation, QColor textColor,
                                 double startDate)
    : message_(std::move(message)), textColor_(textColor),
      dotMatrix_(std::move(animation), messageRowDotMatrixStyle, startDate) {}

QSizeF NudgeMessageRow::idealSize() const {
    const QFontMetricsF metrics(messageFont());
    const double textWidth = metrics.horizontalAdvance(message_);
    return {messageRowDotMatrixBox.width + spacing + textWidth,
            std::max(messageRowDotMatrixBox.height, metrics.height())};
}

NudgeMessageRow::FittedText NudgeMessageRow::fitText(double textWidth) const {
    const QFontMetricsF metrics(messageFont());
    const double full = metrics.horizontalAdvance(message_);
    const double room = std::max(0.0, textWidth);
    if (full <= room)
        return {message_, 1, full};
    // The text is drawn at the 11 px font under a scale, so shrinking is continuous (the font itself only
    // comes in whole pixels).
    if (full * minimumScale <= room)
        return {message_, room / full, room};
    const QString elided = metrics.elidedText(message_, Qt::ElideRight, room / minimumScale);
    return {elided, minimumScale, metrics.horizontalAdvance(elided) * minimumScale};
}

void NudgeMessageRow::paint(QPainter& painter, const QRectF& rect, double now, bool reduceMotion) const {
    const QSizeF box(messageRowDotMatrixBox.width, messageRowDotMatrixBox.height);
    const QRectF dotBox(rect.left(), rect.center().y() - box.height() / 2, box.width(), box.height());
    dotMatrix_.paint(painter, dotBox, now, reduceMotion);

    const double textLeft = dotBox.right() + spacing;
    const FittedText fitted = fitText(rect.right() - textLeft);
    if (fitted.text.isEmpty())
        return;
    const QFontMetricsF metrics(messageFont());
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(messageFont());
    painter.setPen(textColor_);
    // Scale about the text's left edge at the row's centre line, so a shrunk line stays centred.
    painter.translate(textLeft, rect.center().y());
    painter.scale(fitted.scale, fitted.scale);
    const double lineHeight = metrics.height();
    painter.drawText(QRectF(0, -lineHeight / 2, fitted.width / fitted.scale + 1, lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fitted.text);
    painter.restore();
}

} // namespace vornela
