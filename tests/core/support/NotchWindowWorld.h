#pragma once

#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeCompletionWindowController.h"
#include "support/CoreWorld.h"
#include "support/NotchWorld.h"

#include <memory>
#include <vector>

namespace vornela::testing {

using fakes::PanelRecord;

// The core launched by a returning user with every nudge held back: the notch panel is up, the
// view model and both window controllers are real, and only the test presents nudges.
struct NotchWindowWorld : CoreWorld {
    explicit NotchWindowWorld(std::vector<ScreenInfo> screenList = {notchedLaptop()})
        : CoreWorld("Europe/Berlin", 2026, 6, 1, 10, 0, std::move(screenList)) {
        launchQuietly();
        vm = &core->notch();
        window = core->notchWindowController();
        completion = core->completionWindowController();
    }

    // The platform reports a pointer move.
    void movePointer(Point p) {
        desktop.pointer.at = p;
        core->pointerMoved();
    }
    NotchState state() const { return vm->notchState.get(); }
    std::shared_ptr<PanelRecord> notchPanel() const { return desktop.panels.notchPanel(); }

    NotchViewModel* vm = nullptr;
    NotchWindowController* window = nullptr;
    NudgeCompletionWindowController* completion = nullptr;
};

} // namespace vornela::testing
