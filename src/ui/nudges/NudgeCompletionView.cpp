#include "ui/nudges/NudgeCompletionActionRow.h"

#include "ui/nudges/NudgeCompletionView.h"

#include "core/nudges/NudgeCatalogue.h"
#include "ui/base/ContinuousRoundedRect.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vornela {

NudgeCompletionView::NudgeCompletionView(NudgeCompletionUIState state, bool includesNudgeContext, bool dark,
                                         double startDate)
    : state_(std::move(state)), includesNudgeContext_(includesNudgeContext), colors_{dark},
      messageRow_(QString::fromStdString(state_.message), definitionFor(state_.kind).animation,
                  colors_.primaryLabel(), startDate) {}

void NudgeCompletionView::setState(NudgeCompletionUIState state) {
    state_ = std::move(state);
    messageRow_.setMessage(QString::fromStdString(state_.message));
    messageRow_.dotMatrix().setAnimation(definitionFor(state_.kind).animation);
}

void NudgeCompletionView::setDark(bool dark) {
    colors_.dark = dark;
    messageRow_.setTextColor(colors_.primaryLabel());
}

QSizeF NudgeCompletionView::fittingSize() const {
    const QSizeF actions = NudgeCompletionActionRow::idealSize();
    double width = actions.width();
    double height = actions.height();
    if (includesNudgeContext_) {
        const QSizeF message = messageRow_.idealSize();
        width = std::max(width, message.width());
        height += rowSpacing + message.height();
    }
    return {std::ceil(width + 2 * padding), std::ceil(height + 2 * padding)};
}

std::optional<QRectF> NudgeCompletionView::messageRowRect() const {
    if (!includesNudgeContext_)
        return std::nullopt;
    const QSizeF size = fittingSize();
    const QSizeF message = messageRow_.idealSize();
    // Anything the rounding up added is shared evenly by both rows' edges.
    const double contentHeight =
        message.height() + rowSpacing + NudgeCompletionActionRow::idealSize().height();
    const double top = (size.height() - contentHeight) / 2;
    const double width = std::min(message.width(), size.width() - 2 * padding);
    return QRectF((size.width() - width) / 2, top, width, message.height());
}

QRectF NudgeCompletionView::actionRowRect() const {
    const QSizeF size = fittingSize();
    const QSizeF actions = NudgeCompletionActionRow::idealSize();
    double top = (size.height() - actions.height()) / 2;
    if (const auto message = messageRowRect())
        top = message->bottom() + rowSpacing;
    return QRectF((size.width() - actions.width()) / 2, top, actions.width(), actions.height());
}

void NudgeCompletionView::paint(QPainter& painter, const QPointF& origin, double now, bool reduceMotion,
                                const NudgeCompletionActionRow* actions) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(origin);

    const QRectF card = cardRect();
    const QPainterPath shape = continuousRoundedRect(card, cornerRadius);
    painter.fillPath(shape, colors_.material());
    painter.fillPath(shape, colors_.surface());
    painter.fillPath(shape, colors_.wash());
    const double inset = borderWidth / 2;
    painter.strokePath(
        continuousRoundedRect(card.adjusted(inset, inset, -inset, -inset), cornerRadius - inset),
        QPen(colors_.border(), borderWidth));

    if (const auto message = messageRowRect())
        messageRow_.paint(painter, *message, now, reduceMotion);
    painter.restore();

    // The row paints where its owner placed it, in the painter's own coordinates.
    if (actions)
        actions->paint(painter, now);
}

std::optional<double> NudgeCompletionView::nextFrameDelay(double now, bool reduceMotion) const {
    if (!includesNudgeContext_)
        return std::nullopt;
    return messageRow_.nextFrameDelay(now, reduceMotion);
}

} // namespace vornela
