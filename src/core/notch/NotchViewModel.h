#pragma once

#include "core/base/Clock.h"
#include "core/base/Color.h"
#include "core/base/CubicBezier.h"
#include "core/base/Haptics.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Published.h"
#include "core/base/Scheduler.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TextMeasurer.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchState.h"
#include "core/notch/SharePreviewPresenter.h"
#include "core/nudges/NudgeCompletionUIState.h"
#include "core/nudges/NudgePresenter.h"
#include "core/nudges/NudgeRescheduler.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferencesStore.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace vornela {

// The state machine behind the notch: what it shows, which layout it asks the window for, and
// the timers that give it its feel. It never moves a window: it publishes `windowAlignment`
// and the window controller reports transitions back.
class NotchViewModel : public NudgePresenter {
public:
    struct Services {
        HealthDataStore& health;
        PreferencesStore& preferences;
        Scheduler& scheduler;
        const Clock& clock;
        NotificationCenter& center;
        const TextMeasurer& text;
        Haptics& haptics;
        const SystemPreferences& system;
        NudgeRescheduler& reminderEngine;
        SharePreviewPresenter& sharePreview;
    };

    static constexpr double hoverEnterDelay = 0.1;
    static constexpr double exitDelay = 0.12;
    static constexpr double balanceRefreshInterval = 60;
    static constexpr double openStateLock = 0.4;
    static constexpr double completionRowHeight = 44;

    explicit NotchViewModel(Services services);
    ~NotchViewModel() override;
    NotchViewModel(const NotchViewModel&) = delete;
    NotchViewModel& operator=(const NotchViewModel&) = delete;

    // Published state: read and observed by the views, changed only by the state machine.
    Published<NotchState, NotchViewModel> notchState;
    Published<std::optional<NudgeKindID>, NotchViewModel> nudgeOverlay;
    Published<std::optional<std::string>, NotchViewModel> activeNudgeMessage;
    Published<NotchLayoutMetrics, NotchViewModel> layoutMetrics;
    Published<NotchWindowAlignment, NotchViewModel> windowAlignment;
    Published<Color, NotchViewModel> backgroundColor;
    Published<int, NotchViewModel> waterTrackingSelectedML{0};
    Published<std::optional<NudgeCompletionUIState>, NotchViewModel> nudgeCompletionUI;
    Published<bool, NotchViewModel> isLayoutTransitioning{false};

    const std::optional<NotchGeometry>& geometry() const { return geometry_; }
    HealthDataStore& healthData() { return services_.health; }
    std::optional<NudgeKindID> activeNudge() const { return activeNudge_; }
    bool isPointerInside() const { return isPointerInside_; }
    bool allowsHoverExpansion() const { return allowsHoverExpansion_; }
    bool requiresPointerExitBeforeHover() const { return requiresPointerExitBeforeHover_; }
    bool pendingWaterNudgeHover() const { return pendingWaterNudgeHover_; }
    bool deferContentCloseUntilTransition() const { return deferContentCloseUntilTransition_; }
    std::optional<double> waterTrackingLockUntil() const { return waterTrackingLockUntil_; }
    std::optional<double> activityHeatMapLockUntil() const { return activityHeatMapLockUntil_; }
    int layoutTransitionToken() const { return layoutTransitionToken_; }
    // The completion row: under a nudge's message, or at the bottom of an open state that holds
    // a nudge; it asks for completion and the layout has made room for the row.
    bool showsCompletionRow() const { return completionRowTop().has_value(); }
    // Where the row's 44 points start, from the top of the panel; none while no row shows.
    std::optional<double> completionRowTop() const;
    // How far the open content is revealed, 0...1, read at the current monotonic instant.
    double contentRevealProgress() const;
    bool isContentRevealAnimating() const;

    // Every time the overlay is set, changed or not: the reminder engine counts on each report.
    // The simulator prints them.
    Signal<std::optional<NudgeKindID>> onNudgeOverlayChange;
    // For observers that follow the machine from outside (the simulator, diagnostics): every
    // transition the window begins, every finish that is accepted.
    // A nudge handed over by the engine, with the message chosen for it (none while it waits
    // behind an open state).
    Signal<NudgeKindID, std::optional<std::string>> nudgeReceived;
    Signal<int, bool, LayoutTransitionKind> layoutTransitionBegan;
    Signal<int> layoutTransitionFinished;

    // Installed by the owners.
    std::function<void()> onOpenSettings;
    std::function<void()> onCompletionUIDisplayRequested;
    std::function<void(const NotchWindowAlignment&)> onWindowAlignmentChange;
    std::function<void()> onNudgeCompletionUIChange;

    // From the window controller.
    void updateGeometry(const NotchGeometry& geometry);
    void updatePointerInside(bool inside, bool allowsHoverExpansion);
    void handleNotchClick();
    void beginLayoutTransition(int token, bool isTransitioning, LayoutTransitionKind kind);
    void finishLayoutTransition(bool inside, bool allowsHoverExpansion, int token);
    // The drawn frame in screen coordinates, for hit testing.
    std::optional<Rect> windowLayoutFrame() const;

    // From the reminder engine.
    void presentNudge(NudgeKindID kind, bool force) override;
    [[nodiscard]] Subscription observeOverlayReports(OverlayCallback callback) override {
        return onNudgeOverlayChange.connect(std::move(callback));
    }

    // From the views.
    void dismissNudge(bool suppressHover);
    void completeNudgeFromNotch();
    void ignoreNudgeFromNotch();
    void openWaterTracking();
    // The ruler's selection, in millilitres.
    void selectWaterML(int ml) { waterTrackingSelectedML.set(ml); }
    void confirmWaterTracking();
    void openActivityHeatMap();
    void closeActivityHeatMap();
    void shareActivity();
    void completeLunchFromDashboard();
    void openSettings();

    NotchWindowAlignment alignmentFor(const NotchState& state) const;
    // The grown width on each side of the notch for a nudge message.
    double nudgeExpansionWidth(const std::string& message) const;
    std::string shownMessage(NudgeKindID kind) const;

private:
    // Everything below mirrors the state machine's internal operations; see the .cpp.
    void transition(const NotchState& state);
    void expandToHover();
    void collapse();
    void resetToClosed();
    void scheduleHoverExpansion();
    void startExitDelay();
    void exitDelayElapsed();
    void openWaterTrackingFromNudge();
    void restoreNudgeFromOverlay(NudgeKindID kind);
    void prepareMessage(NudgeKindID kind, bool keepExisting);
    void presentCompletionUI(NudgeKindID kind);
    void setNudgeCompletionUI(std::optional<NudgeCompletionUIState> state);
    void scheduleDismiss();
    void startBalanceRefresh();
    void balanceRefreshTick();
    bool waterNudgeInvolved() const;
    double hoverAdditionalDown() const;
    void setOverlay(std::optional<NudgeKindID> kind);
    void rereadBackgroundColor();
    bool isLockInForce(const std::optional<double>& lockUntil) const;
    // Sets the reveal value without animation, dropping a reveal that was about to start.
    void setContentReveal(double value);

    Services services_;
    std::optional<NotchGeometry> geometry_;
    TaskHandle hoverTask_;
    TaskHandle dismissTask_;
    TaskHandle balanceRefreshTask_;
    TaskHandle revealStartTask_;
    std::optional<NudgeKindID> activeNudge_;
    std::map<NudgeKindID, int> nudgeMessageRotation_;
    bool isPointerInside_ = false;
    bool allowsHoverExpansion_ = false;
    bool requiresPointerExitBeforeHover_ = false;
    TimedCurve contentReveal_{1, 1, 0, 0, CubicBezier::entry()};
    int layoutTransitionToken_ = 0;
    bool pendingWaterNudgeHover_ = false;
    std::optional<double> waterTrackingLockUntil_;
    std::optional<double> activityHeatMapLockUntil_;
    bool deferContentCloseUntilTransition_ = false;
    Subscription backgroundColorNotificationTask_;
    Subscription backgroundColorDefaultsTask_;
};

} // namespace vornela
