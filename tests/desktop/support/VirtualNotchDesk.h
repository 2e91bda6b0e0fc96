#pragma once

#include "app/PanelContentBinder.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "platform/pointer/XInputPointerSource.h"
#include "platform/screen/QtScreenSource.h"
#include "platform/system/NullHaptics.h"
#include "platform/text/QtTextMeasurer.h"
#include "platform/window/OverlayPanel.h"
#include "platform/window/QtPanelWindowFactory.h"
#include "support/CoreWorld.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/Typography.h"
#include "ui/nudges/CompletionCardSizer.h"

#include <memory>

namespace vornela::testing {

// The application's notch wiring on the real X server (screens, pointer, overlay panels and the
// painted surface), with core and the views on one virtual clock. Nothing moves until the test
// advances the scheduler and ticks the driver.
struct VirtualNotchDesk : CoreWorld {
    VirtualNotchDesk()
        : CoreWorld("Europe/Berlin", 2026, 6, 1, 10, 0), text(&interfaceFont),
          vm(NotchViewModel::Services{*health, *preferences, scheduler, scheduler, center, text, haptics,
                                      system}),
          binder(PanelContentBinder::Context{vm, system, scheduler, driver, [this] { return notch.get(); },
                                             [this] { return completion.get(); }}) {
        vm.setReminderEngine(&rescheduler);
        panels.onPanelCreated = [this](OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) {
            binder.attach(panel, screen, level);
        };
        completion = std::make_unique<NudgeCompletionWindowController>(
            vm,
            NudgeCompletionWindowController::Ports{panels, screens, scheduler, scheduler, cardSizer, system});
        notch = std::make_unique<NotchWindowController>(
            vm, *completion, NotchWindowController::Ports{panels, screens, pointer, scheduler});
    }

    ~VirtualNotchDesk() {
        // The panels hold views that refer to the view model and the driver.
        notch.reset();
        completion.reset();
    }

    OverlayPanel* panel() const { return dynamic_cast<OverlayPanel*>(notch->panel()); }

    // Virtual time moves on, then one display frame lets the views emit what they draw now.
    void step(double seconds) {
        scheduler.advance(seconds);
        driver.tick();
    }

    SystemPreferences system;
    QtTextMeasurer text;
    NullHaptics haptics;
    QtScreenSource screens;
    XInputPointerSource pointer;
    QtPanelWindowFactory panels;
    CompletionCardSizer cardSizer;
    AnimationDriver driver{scheduler};
    NotchViewModel vm;
    PanelContentBinder binder;
    std::unique_ptr<NudgeCompletionWindowController> completion;
    std::unique_ptr<NotchWindowController> notch;
};

} // namespace vornela::testing
