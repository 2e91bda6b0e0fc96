#pragma once

#include "core/notch/PanelWindowFactory.h"
#include "core/notch/ScreenSource.h"

#include <functional>

namespace vornela {

class AnimationDriver;
class Clock;
class HoverHomeModel;
class NotchViewModel;
class NotchWindowController;
class NudgeCompletionWindowController;
class OverlayPanel;
struct SystemPreferences;
class WaterTrackingModel;
class ActivityPageModel;

// Puts the painted surface into each new overlay panel and keeps the panel's click-through shape
// on what is drawn: the notch's clip as it grows and shrinks, the completion card's outline.
class PanelContentBinder {
public:
    struct Context {
        NotchViewModel& viewModel;
        const SystemPreferences& system;
        const Clock& clock;
        AnimationDriver& driver;
        // The controllers exist by the time their panels are created.
        std::function<NotchWindowController*()> notchController;
        std::function<NudgeCompletionWindowController*()> completionController;
        // The open states' surfaces; without them the notch opens onto its bare black shape.
        HoverHomeModel* dashboard = nullptr;
        WaterTrackingModel* ruler = nullptr;
        ActivityPageModel* activity = nullptr;
    };

    explicit PanelContentBinder(Context context) : context_(std::move(context)) {}

    void attach(OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) const;

private:
    void attachNotch(OverlayPanel& panel) const;
    void attachCompletion(OverlayPanel& panel, const ScreenInfo& screen) const;

    Context context_;
};

} // namespace vornela
