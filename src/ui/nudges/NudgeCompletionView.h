#pragma once

#include "core/nudges/NudgeCompletionUIState.h"
#include "ui/nudges/NudgeCompletionColors.h"
#include "ui/nudges/NudgeMessageRow.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

class QPainter;

namespace vornela {

class NudgeCompletionActionRow;

// The completion card as a value: its fitting size and its painting, light or dark. The buttons are
// widgets owned elsewhere (NudgeCompletionActionRow); the card says where they go and paints them.
class NudgeCompletionView {
public:
    static constexpr double padding = 6;
    static constexpr double rowSpacing = 8;
    static constexpr double cornerRadius = 12;
    static constexpr double borderWidth = 0.5;

    NudgeCompletionView(NudgeCompletionUIState state, bool includesNudgeContext, bool dark, double startDate);

    void setState(NudgeCompletionUIState state);
    const NudgeCompletionUIState& state() const { return state_; }
    void setIncludesNudgeContext(bool includes) { includesNudgeContext_ = includes; }
    bool includesNudgeContext() const { return includesNudgeContext_; }
    void setDark(bool dark);
    NudgeCompletionColors colors() const { return colors_; }
    NudgeMessageRow& messageRow() { return messageRow_; }
    const NudgeMessageRow& messageRow() const { return messageRow_; }

    // Whole points, so a panel of this size holds the card exactly.
    QSizeF fittingSize() const;
    // In card coordinates (origin at the card's top left).
    QRectF cardRect() const { return QRectF(QPointF(0, 0), fittingSize()); }
    std::optional<QRectF> messageRowRect() const;
    QRectF actionRowRect() const;

    // The card with its top left at `origin`; `actions` (placed at origin + actionRowRect()) on top.
    void paint(QPainter& painter, const QPointF& origin, double now, bool reduceMotion,
               const NudgeCompletionActionRow* actions = nullptr) const;
    // The message row's dot matrix; nullopt without the row.
    std::optional<double> nextFrameDelay(double now, bool reduceMotion) const;

private:
    NudgeCompletionUIState state_;
    bool includesNudgeContext_;
    NudgeCompletionColors colors_;
    NudgeMessageRow messageRow_;
};

} // namespace vornela
