#pragma once

#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/NotchWindowController.h"
#include "fakes/VirtualDesktop.h"
#include "platform/text/QtTextMeasurer.h"
#include "ui/base/Typography.h"

namespace vornela {

// The core of a returning user on virtual time, built by the composition root with recorders at
// the ports and Inter for measuring text, so the pictures lay out as the desktop does. Every
// nudge is held back: each scene presents its own.
class GalleryWorld {
public:
    // 2026-06-01 10:00 UTC: a weekday morning, so every nudge is plausible.
    static constexpr double wallStart = 1780308000;

    explicit GalleryWorld(const ScreenInfo& screen) : world(wallStart, {screen}, &text) {
        world.launchQuietly();
    }

    NotchViewModel& vm() { return world.core->notch(); }
    HoverHomeModel& dashboard() { return world.core->dashboard(); }
    WaterTrackingModel& ruler() { return world.core->ruler(); }
    ActivityPageModel& activity() { return world.core->activity(); }
    HealthDataStore& health() { return world.core->health(); }
    PreferencesStore& preferences() { return world.core->preferences(); }
    SystemPreferences& system() { return world.desktop.system; }
    ManualScheduler& scheduler() { return world.scheduler; }
    const NotchGeometry& geometry() { return *world.core->notchWindowController()->geometry(); }
    // The pointer rests on the notch or leaves it, as the panel's view reports it; the pointer
    // itself moves too, since the window reads it when a transition ends.
    void movePointer(bool inside) {
        const Rect& anchor = geometry().anchorRect;
        world.desktop.pointer.at = inside ? Point{anchor.midX(), anchor.midY()} : Point{5, 5};
        world.core->notchWindowController()->pointerInsideChanged(inside);
    }

private:
    QtTextMeasurer text{&interfaceFont};
    fakes::VirtualDesktop world;
};

} // namespace vornela
