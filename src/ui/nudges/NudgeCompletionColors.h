#pragma once

#include <QColor>

namespace vornela {

// The completion card's colours for a light or dark appearance.
struct NudgeCompletionColors {
    bool dark = true;

    // Stand-in for the translucent material (nothing behind the panel is blurred here).
    QColor material() const;
    QColor surface() const;
    QColor wash() const;
    QColor border() const;
    QColor primaryLabel() const;
};

} // namespace vornela
