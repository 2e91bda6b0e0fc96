#pragma once

// Core first: its Signal has a member named emit, which Qt's headers define away.
#include "core/base/Calendar.h"
#include "core/base/Haptics.h"
#include "core/base/ManualScheduler.h"
#include "core/base/NotificationCenter.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "core/nudges/NudgeSettings.h"
#include "core/store/HealthDataStore.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferencesStore.h"
#include "platform/text/QtTextMeasurer.h"
#include "ui/base/Typography.h"

#include <memory>

namespace vornela {

// A real notch view model on virtual time with preferences in memory. Window transitions are
// played as the notch window plays them: each alignment change is one timed transition.
class GalleryWorld {
    class QuietHaptics : public Haptics {
    public:
        void performAlignment() override {}
    };

public:
    // 2026-06-01 10:00 UTC: a weekday morning, so every nudge is plausible.
    static constexpr double wallStart = 1780308000;

    explicit GalleryWorld(const ScreenInfo& screen)
        : scheduler(wallStart, 1000), health(preferences, settings, scheduler, calendar, center),
          vm(NotchViewModel::Services{health, preferences, scheduler, scheduler, center, text, haptics,
                                      system}),
          geometry(makeNotchGeometry(screen)) {
        vm.onWindowAlignmentChange = [this](const NotchWindowAlignment& alignment) {
            apply(alignment, true);
        };
        vm.updateGeometry(geometry);
        apply(vm.windowAlignment.get(), false);
    }

    void movePointer(bool inside) {
        pointerInside_ = inside;
        vm.updatePointerInside(inside, inside);
    }

    // Lays the surface out again, as a screen change would (drops a removed completion row).
    void relayout() { vm.updateGeometry(geometry); }

    Calendar calendar;
    ManualScheduler scheduler;
    NotificationCenter center;
    InMemoryPreferencesBackend backend;
    PreferencesStore preferences{backend, scheduler};
    NudgeSettings settings{preferences};
    HealthDataStore health;
    QtTextMeasurer text{&interfaceFont};
    SystemPreferences system;
    QuietHaptics haptics;
    NotchViewModel vm;
    NotchGeometry geometry;

private:
    void apply(const NotchWindowAlignment& alignment, bool animated) {
        const LayoutTransitionKind kind = NotchWindowController::transitionKind(previous_, alignment);
        previous_ = alignment;
        const int current = ++token_;
        finish_.cancel();
        vm.beginLayoutTransition(current, animated, kind);
        if (!animated) {
            vm.finishLayoutTransition(pointerInside_, pointerInside_, current);
            return;
        }
        finish_ =
            scheduler.after(ClockKind::monotonic, NotchWindowController::duration(kind), [this, current] {
                vm.finishLayoutTransition(pointerInside_, pointerInside_, current);
            });
    }

    NotchWindowAlignment previous_ = NotchWindowAlignment::closed();
    int token_ = 0;
    bool pointerInside_ = false;
    TaskHandle finish_;
};

} // namespace vornela
