#pragma once

#include "app/PanelContentBinder.h"
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/base/SystemPreferences.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferenceKeys.h"
#include "fakes/FakeDesktop.h"
#include "platform/pointer/XInputPointerSource.h"
#include "platform/screen/QtScreenSource.h"
#include "platform/system/NullHaptics.h"
#include "platform/text/QtTextMeasurer.h"
#include "platform/window/OverlayPanel.h"
#include "platform/window/QtPanelWindowFactory.h"
#include "support/ScopedTimeZone.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/Typography.h"
#include "ui/nudges/CompletionCardSizer.h"

#include <memory>

namespace vornela::testing {

// The application's notch wiring on the real X server (screens, pointer, overlay panels and the
// painted surface) around the core of a returning user with every nudge held back, with core and
// the views on one virtual clock. Nothing moves until the test advances the scheduler and ticks
// the driver.
struct VirtualNotchDesk {
    VirtualNotchDesk()
        : timeZone("Europe/Berlin"), scheduler(Calendar().date(2026, 6, 1, 10, 0).value()),
          text(&interfaceFont),
          core(CorePorts{scheduler, scheduler, calendar, backend, text, haptics, system, screens, pointer,
                         panels, cardSizer, fakes.host, fakes.settings, fakes.onboarding, fakes.sharePreview,
                         fakes.timeZone, fakes.loginItem, nullptr}),
          vm(core.notch()),
          binder(PanelContentBinder::Context{vm, system, scheduler, driver,
                                             [this] { return core.notchWindowController(); },
                                             [this] { return core.completionWindowController(); },
                                             &core.dashboard(), &core.ruler(), &core.activity()}) {
        panels.onPanelCreated = [this](OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) {
            binder.attach(panel, screen, level);
        };
    }

    // Launches as a returning user with every nudge held back: the notch panel comes up.
    void launch() {
        core.preferences().write(keys::hasCompletedOnboarding, true);
        core.preferences().write(keys::remindersEnabled, false);
        core.launch();
        scheduler.runDue();
        notch = core.notchWindowController();
    }

    ~VirtualNotchDesk() {
        // The panels hold views that refer to the view model and the driver.
        core.terminate();
    }

    OverlayPanel* panel() const { return dynamic_cast<OverlayPanel*>(notch->panel()); }

    // Virtual time moves on, then one display frame lets the views emit what they draw now.
    void step(double seconds) {
        scheduler.advance(seconds);
        driver.tick();
    }

    ScopedTimeZone timeZone;
    Calendar calendar;
    ManualScheduler scheduler;
    InMemoryPreferencesBackend backend;
    SystemPreferences system;
    QtTextMeasurer text;
    NullHaptics haptics;
    QtScreenSource screens;
    XInputPointerSource pointer;
    QtPanelWindowFactory panels;
    CompletionCardSizer cardSizer;
    AnimationDriver driver{scheduler};
    fakes::FakeDesktop fakes;
    VornelaCore core;
    NotchViewModel& vm;
    PanelContentBinder binder;
    NotchWindowController* notch = nullptr;
};

} // namespace vornela::testing
