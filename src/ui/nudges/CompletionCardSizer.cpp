#include "ui/nudges/CompletionCardSizer.h"

#include "ui/nudges/NudgeCompletionView.h"

namespace vornela {

Size CompletionCardSizer::cardSize(const NudgeCompletionUIState& state, bool includesNudgeContext) const {
    // Appearance and time do not change the layout.
    const QSizeF size = NudgeCompletionView(state, includesNudgeContext, true, 0).fittingSize();
    return {size.width(), size.height()};
}

} // namespace vornela
