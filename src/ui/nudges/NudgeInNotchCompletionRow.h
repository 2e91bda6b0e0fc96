#pragma once

#include "ui/nudges/NudgeCompletionActionRow.h"

namespace vornela {

// The completion buttons shown inside the notch: the action row with 10 pt of horizontal and 8 pt
// of vertical padding, centred across the full width it is given.
class NudgeInNotchCompletionRow {
public:
    static constexpr double horizontalPadding = 10;
    static constexpr double verticalPadding = 8;

    NudgeInNotchCompletionRow(NudgeKindID kind, std::function<void()> onComplete,
                              std::function<void()> onDismiss, const Clock& clock,
                              const SystemPreferences& system, QWidget* host);

    // The smallest area the row fits in, padding included.
    static QSizeF idealSize();

    void setKind(NudgeKindID kind) { row_.setKind(kind); }
    NudgeKindID kind() const { return row_.kind(); }
    // The area below the notch (host coordinates); places the button proxies.
    void setGeometry(const QRectF& area);
    // Draws the buttons (whether or not the proxies are visible: the notch's reveal decides).
    void paint(QPainter& painter, double now) const { row_.paint(painter, now); }
    bool isAnimating(double now) const { return row_.isAnimating(now); }
    // Off hides the proxies: no clicks, no accessibility.
    void setVisible(bool visible) { row_.setVisible(visible); }

    NudgeCompletionActionRow& actionRow() { return row_; }
    const NudgeCompletionActionRow& actionRow() const { return row_; }

    std::function<void()> onLookChanged;

private:
    NudgeCompletionActionRow row_;
};

} // namespace vornela
