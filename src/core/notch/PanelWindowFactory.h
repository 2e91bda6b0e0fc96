#pragma once

#include "core/base/Geometry.h"
#include "core/notch/PanelWindow.h"
#include "core/notch/ScreenSource.h"

#include <memory>

namespace vornela {

// Stacking of the overlays: the notch sits at the status-bar level, the completion panels one
// above it.
enum class PanelLevel { notch, completion };

class PanelWindowFactory {
public:
    virtual ~PanelWindowFactory() = default;
    // A new panel on `screen` with `frame` (global points, y up), not yet ordered front.
    virtual std::unique_ptr<PanelWindow> create(const ScreenInfo& screen, Rect frame, PanelLevel level) = 0;
};

} // namespace vornela
