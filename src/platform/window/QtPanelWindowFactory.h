#pragma once

#include "core/notch/PanelWindowFactory.h"
#include "platform/window/CompositorWatcher.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace vornela {

class OverlayPanel;

// Makes OverlayPanels and lets the application fill each one before core sees it. Core owns the
// panels; the factory keeps track of them, because X11 has no numeric window levels: when a
// notch panel comes to the front, the factory puts the completion panels back above it.
class QtPanelWindowFactory : public QObject, public PanelWindowFactory {
    Q_OBJECT
public:
    explicit QtPanelWindowFactory(QObject* parent = nullptr);
    ~QtPanelWindowFactory() override;

    // The application installs this to put content into each new panel.
    std::function<void(OverlayPanel&, const ScreenInfo&, PanelLevel)> onPanelCreated;

    std::unique_ptr<PanelWindow> create(const ScreenInfo& screen, Rect frame, PanelLevel level) override;

private:
    void raiseCompletionPanels();

    CompositorWatcher compositor_;         // one for all the panels made here
    QList<QPointer<OverlayPanel>> panels_; // nulled as core deletes them
};

} // namespace vornela
