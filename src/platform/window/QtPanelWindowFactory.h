#pragma once

#include "core/notch/PanelWindowFactory.h"

#include <functional>

namespace vornela {

class OverlayPanel;

// Makes OverlayPanels and lets the application fill each one before core sees it.
class QtPanelWindowFactory : public PanelWindowFactory {
public:
    // The application installs this to put content into each new panel.
    std::function<void(OverlayPanel&, const ScreenInfo&, PanelLevel)> onPanelCreated;

    std::unique_ptr<PanelWindow> create(const ScreenInfo& screen, Rect frame, PanelLevel level) override;
};

} // namespace vornela
