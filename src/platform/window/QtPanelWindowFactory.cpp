#include "platform/window/QtPanelWindowFactory.h"

#include "platform/window/OverlayPanel.h"

namespace vornela {

std::unique_ptr<PanelWindow> QtPanelWindowFactory::create(const ScreenInfo& screen, Rect frame,
                                                          PanelLevel level) {
    auto panel = std::make_unique<OverlayPanel>(screen, frame, level);
    if (onPanelCreated)
        onPanelCreated(*panel, screen, level);
    return panel;
}

} // namespace vornela
