#pragma once

#include "core/base/Clock.h"
#include "core/base/Scheduler.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/PanelWindowFactory.h"
#include "core/notch/ScreenSource.h"
#include "core/nudges/CompletionCardMeasurer.h"
#include "core/nudges/NudgeCompletionPanelView.h"
#include "core/nudges/NudgeCompletionUIState.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace vornela {

class NotchViewModel;

// Shows the completion prompt on small panels below the menu bar of every screen except the one
// whose notch shows it already, and keeps them in step with the view model's prompt.
class NudgeCompletionWindowController {
public:
    struct Ports {
        PanelWindowFactory& factory;
        const ScreenSource& screens;
        Scheduler& scheduler;
        const Clock& clock;
        const CompletionCardMeasurer& measurer;
        SystemPreferences& system;
    };

    struct ScreenPanel {
        ScreenInfo screen;
        std::unique_ptr<PanelWindow> window;
        NudgeCompletionPanelView view;
    };

    static constexpr double hideDelay = 0.235;

    NudgeCompletionWindowController(NotchViewModel& viewModel, Ports ports);
    ~NudgeCompletionWindowController();
    NudgeCompletionWindowController(const NudgeCompletionWindowController&) = delete;
    NudgeCompletionWindowController& operator=(const NudgeCompletionWindowController&) = delete;

    // Follows the view model's prompt: present it, or hide when there is none.
    void sync();
    void present(const NudgeCompletionUIState& state, bool animated);
    void hide(bool animated);
    // Screens were added, removed or rearranged.
    void handleScreenChange();
    // Moves the panels to their places for the current screens, keeping what they show.
    void repositionPanels();
    // Whether a point (global, y up) lies on a panel that shows a prompt.
    bool containsPoint(Point point) const;
    void orderFrontAll();
    void tearDown();

    const std::map<std::string, ScreenPanel>& panels() const { return panels_; }
    const std::optional<NudgeCompletionUIState>& displayedState() const { return displayedState_; }
    std::uint64_t presentationID() const { return presentationID_; }
    bool isPresented() const { return isPresented_; }
    bool isHidePending() const { return hideTask_.isPending(); }

    // A panel's view changed (screen id); the desktop redraws that panel.
    Signal<std::string> panelViewChanged;

private:
    struct Placement {
        bool isEffectiveNotchScreen = false;
        bool includesNudgeContext = true;
        bool forceFallback = true;
    };

    Placement placementFor(const ScreenInfo& screen, const std::optional<ScreenInfo>& notchScreen) const;
    Rect frameFor(const ScreenInfo& screen, const std::optional<ScreenInfo>& notchScreen,
                  const NudgeCompletionUIState& state) const;
    void rebuildPanels();
    void setView(const std::string& screenID, ScreenPanel& panel, NudgeCompletionPanelView view);
    NudgeCompletionPanelView viewFor(const ScreenInfo& screen, const std::optional<ScreenInfo>& notchScreen,
                                     const NudgeCompletionUIState& state, NudgeActionBarMotion motion) const;
    void orderOutAll();
    void recolour();

    NotchViewModel& viewModel_;
    Ports ports_;
    std::map<std::string, ScreenPanel> panels_;
    std::optional<NudgeCompletionUIState> displayedState_;
    std::uint64_t presentationID_ = 0;
    bool isPresented_ = false;
    TaskHandle hideTask_;
    Subscription appearanceSubscription_;
};

} // namespace vornela
