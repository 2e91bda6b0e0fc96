#pragma once

#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "support/CoreWorld.h"
#include "support/NotchScreens.h"
#include "support/NotchWorld.h"
#include "support/RecordingPanels.h"

#include <memory>
#include <vector>

namespace vornela::testing {

// The real view model and both window controllers on virtual time; only the platform's
// windows, screens and pointer are fakes.
struct NotchWindowWorld : CoreWorld {
    explicit NotchWindowWorld(std::vector<ScreenInfo> screenList = {notchedLaptop()})
        : CoreWorld("Europe/Berlin", 2026, 6, 1, 10, 0) {
        screens.list = std::move(screenList);
        vm = std::make_unique<NotchViewModel>(NotchViewModel::Services{
            *health, *preferences, scheduler, scheduler, center, text, haptics, system});
        vm->setReminderEngine(&engine);
        completion = std::make_unique<NudgeCompletionWindowController>(
            *vm,
            NudgeCompletionWindowController::Ports{factory, screens, scheduler, scheduler, measurer, system});
        window = std::make_unique<NotchWindowController>(
            *vm, *completion, NotchWindowController::Ports{factory, screens, pointer, scheduler});
    }

    ~NotchWindowWorld() {
        window.reset();
        completion.reset();
        vm.reset();
    }

    void advance(double seconds) { scheduler.advance(seconds); }
    // The platform reports a pointer move.
    void movePointer(Point p) {
        pointer.at = p;
        window->reportPointer();
    }
    NotchState state() const { return vm->notchState.get(); }
    std::shared_ptr<PanelRecord> notchPanel() const {
        auto live = factory.live(PanelLevel::notch);
        return live.empty() ? nullptr : live.back();
    }

    FixedWidthTextMeasurer text;
    RecordingHaptics haptics;
    SystemPreferences system;
    RecordingRescheduler engine;
    FakeScreenSource screens;
    FakePointer pointer;
    RecordingPanelFactory factory;
    FixedCompletionCardMeasurer measurer;
    std::unique_ptr<NotchViewModel> vm;
    std::unique_ptr<NudgeCompletionWindowController> completion;
    std::unique_ptr<NotchWindowController> window;
};

} // namespace vornela::testing
