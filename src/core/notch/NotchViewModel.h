#pragma once

#include "core/base/Clock.h"
#include "core/base/Color.h"
#include "core/base/CubicBezier.h"
#include "core/base/Haptics.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Observable.h"
#include "core/base/Scheduler.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TextMeasurer.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchState.h"
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

// Opens the share preview of the heat map (the desktop fills it in).
class SharePreviewPresenter {
public:
    virtual ~SharePreviewPresenter() = default;
    virtual void presentSharePreview(const IntMap& dailyBalanceHistory, int backgroundIndex) = 0;
};

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

    // Published state.
    Observable<NotchState> notchState;
    Observable<std::optional<NudgeKindID>> nudgeOverlay;
    Observable<std::optional<std::string>> activeNudgeMessage;
    Observable<NotchLayoutMetrics> layoutMetrics;
    Observable<NotchWindowAlignment> windowAlignment;
    Observable<Color> backgroundColor;
    Observable<int> waterTrackingSelectedML{0};
    Observable<std::optional<NudgeCompletionUIState>> nudgeCompletionUI;
    Observable<bool> debugExternalDisplayPreview{false};
    Observable<bool> isLayoutTransitioning{false};

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
    // How far the open content is revealed, 0...1, read at the current monotonic instant.
    double contentRevealProgress() const;
    bool isContentRevealAnimating() const;

    // For observers that follow the machine from outside (the simulator, diagnostics): every
    // overlay report, every transition the window begins, every finish that is accepted.
    Signal<std::optional<NudgeKindID>> overlayReported;
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
    OverlayCallback onNudgeOverlayChange;
    void setReminderEngine(NudgeRescheduler* engine) { reminderEngine_ = engine; }
    void setSharePreviewPresenter(SharePreviewPresenter* presenter) { sharePreview_ = presenter; }

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
    void setOnNudgeOverlayChange(OverlayCallback callback) override {
        onNudgeOverlayChange = std::move(callback);
    }

    // From the views.
    void dismissNudge(bool suppressHover);
    void completeNudgeFromNotch();
    void ignoreNudgeFromNotch();
    void openWaterTracking();
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
    void refreshHealthData();
    bool waterNudgeInvolved() const;
    double hoverAdditionalDown() const;
    void setOverlay(std::optional<NudgeKindID> kind);
    void rereadBackgroundColor();
    bool isLockInForce(const std::optional<double>& lockUntil) const;
    // Sets the reveal value without animation, dropping a reveal that was about to start.
    void setContentReveal(double value);

    Services services_;
    NudgeRescheduler* reminderEngine_ = nullptr;
    SharePreviewPresenter* sharePreview_ = nullptr;
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
