#pragma once

#include "core/app/OnboardingWindowPort.h"
#include "core/base/Signal.h"
#include "core/onboarding/OnboardingCoordinator.h"

namespace vornela {

class ApplicationHost;
class HealthDataStore;
class NudgeSettings;
class OnboardingWindow;
class PreferencesStore;
struct SystemPreferences;

// The rules of the first-run window, whatever draws it: a first showing starts from the default
// goals, the application has a dock entry while it is up, the window is as high as its page,
// the close button and Escape never skip the last page, and finishing records it once per
// showing and hands control back to the application.
class OnboardingWindowController : public OnboardingWindowPort {
public:
    struct Services {
        PreferencesStore& preferences;
        NudgeSettings& settings;
        HealthDataStore& health;
        ApplicationHost& host;
        SystemPreferences& system;
        OnboardingWindow& window;
    };

    explicit OnboardingWindowController(Services services);
    ~OnboardingWindowController() override;
    OnboardingWindowController(const OnboardingWindowController&) = delete;
    OnboardingWindowController& operator=(const OnboardingWindowController&) = delete;

    // From the start, with the default goals on a first run.
    void show() override;
    void showPage(int page);
    bool isWindowVisible() const override;
    bool didBecomeVisible() const override { return didBecomeVisible_; }

    // What the window's controls do.
    void primaryAction();
    // Only the set-up page has a Back button.
    void back();
    void escape();
    // Runs once per showing, however many ways the user asks for it.
    void finish();
    // The close button: refused until the user has passed the last page.
    bool windowShouldClose();
    void windowWillClose();
    void windowDidBecomeKey();

    OnboardingCoordinator& coordinator() { return coordinator_; }
    const OnboardingCoordinator& coordinator() const { return coordinator_; }
    int currentPage() const { return currentPage_; }
    double windowHeight() const;
    bool didFinish() const { return didFinish_; }
    bool isClosingProgrammatically() const { return isClosingProgrammatically_; }
    // Pages change with a fade only, and the window resizes at once.
    bool reduceMotion() const;

    // The page the window is sized for changed by a step of the user's: the page, the way it
    // went and the new height.
    Signal<int, OnboardingPageDirection, double> pageChanged;

private:
    void moveTo(int page);
    void pageDidChange(int page);
    void setUpPageDidAppear();

    Services services_;
    OnboardingCoordinator coordinator_;
    int currentPage_ = onboarding::meetPage;
    bool didFinish_ = false;
    bool didBecomeVisible_ = false;
    bool isClosingProgrammatically_ = false;
    bool setUpPageAppeared_ = false;
};

} // namespace vornela
