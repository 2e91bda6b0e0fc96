#pragma once

#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/FakeDesktop.h"

#include <memory>
#include <vector>

namespace vornela::fakes {

// The whole core on virtual time, with a recorder at every port and preferences in memory.
// The stored preferences outlive `restart`, so a caller can relaunch on the same state.
struct VirtualDesktop {
    explicit VirtualDesktop(double wallStart, std::vector<ScreenInfo> screens = {notchedLaptop()},
                            const TextMeasurer* text = nullptr)
        : scheduler(wallStart), desktop(std::move(screens)), text_(text) {
        start();
    }
    ~VirtualDesktop() { core.reset(); }

    // A new process on the same stored preferences.
    void restart() {
        core.reset();
        start();
    }

    // Launches as a returning user with every nudge held back, so only what the caller does
    // happens: the notch panel is up and the view model is the caller's to drive.
    void launchQuietly() {
        core->preferences().write(keys::hasCompletedOnboarding, true);
        core->preferences().write(keys::remindersEnabled, false);
        launch();
    }
    void launch() {
        core->launch();
        scheduler.runDue();
    }

    // The machine sleeps, then wakes as the platform reports it.
    void sleepFor(double seconds) {
        scheduler.sleep(seconds);
        core->didWake();
        scheduler.runDue();
    }

    Calendar calendar;
    ManualScheduler scheduler;
    InMemoryPreferencesBackend backend;
    FakeDesktop desktop;
    std::unique_ptr<VornelaCore> core;

private:
    void start() {
        core = std::make_unique<VornelaCore>(desktop.ports(scheduler, scheduler, calendar, backend, text_));
    }

    const TextMeasurer* text_;
};

} // namespace vornela::fakes
