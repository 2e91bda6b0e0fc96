#include "ui/nudges/NudgeInNotchCompletionRow.h"

#include <utility>

namespace vornela {

NudgeInNotchCompletionRow::NudgeInNotchCompletionRow(NudgeKindID kind, std::function<void()> onComplete,
                                                     std::function<void()> onDismiss, const Clock& clock,
                                                     const SystemPreferences& system, QWidget* host)
    : row_(kind, std::move(onComplete), std::move(onDismiss), clock, system, host) {
    row_.onLookChanged = [this] {
        if (onLookChanged)
            onLookChanged();
    };
}

QSizeF NudgeInNotchCompletionRow::idealSize() {
    const QSizeF row = NudgeCompletionActionRow::idealSize();
    return {row.width() + 2 * horizontalPadding, row.height() + 2 * verticalPadding};
}

void NudgeInNotchCompletionRow::setGeometry(const QRectF& area) {
    row_.setGeometry(area.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding));
}

} // namespace vornela
