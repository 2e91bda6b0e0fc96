#include "platform/window/QtPanelWindowFactory.h"

#include "platform/window/OverlayPanel.h"

#include <QWidget>

namespace vornela {

QtPanelWindowFactory::QtPanelWindowFactory(QObject* parent) : QObject(parent) {}

QtPanelWindowFactory::~QtPanelWindowFactory() = default;

std::unique_ptr<PanelWindow> QtPanelWindowFactory::create(const ScreenInfo& screen, Rect frame,
                                                          PanelLevel level) {
    auto panel = std::make_unique<OverlayPanel>(screen, frame, level, &compositor_);
    panels_.removeAll(QPointer<OverlayPanel>());
    panels_.append(panel.get());
    if (level == PanelLevel::notch)
        connect(panel.get(), &OverlayPanel::orderedFront, this, &QtPanelWindowFactory::raiseCompletionPanels);
    if (onPanelCreated)
        onPanelCreated(*panel, screen, level);
    return panel;
}

void QtPanelWindowFactory::raiseCompletionPanels() {
    for (const QPointer<OverlayPanel>& entry : std::as_const(panels_)) {
        OverlayPanel* panel = entry.data();
        if (panel && panel->level() == PanelLevel::completion && panel->isVisible())
            panel->window()->raise();
    }
}

} // namespace vornela
