#pragma once

#include "core/base/Scheduler.h"
#include "core/notch/NotchGeometry.h"
#include "core/notch/NotchState.h"
#include "core/notch/PanelWindowFactory.h"
#include "core/notch/PointerSource.h"
#include "core/notch/ScreenSource.h"

#include <memory>
#include <optional>

namespace vornela {

class NotchViewModel;
class NudgeCompletionWindowController;

// Owns the panel over the camera notch: places it on the notch screen, resizes it for every
// layout the view model asks for, times each resize and reports its start and end back, and
// turns pointer positions into the view model's pointer reports. The platform's panel view calls
// the hosting-view rules (visualHitTest, pointerInsideChanged, notchClicked).
class NotchWindowController {
public:
    struct Ports {
        PanelWindowFactory& factory;
        const ScreenSource& screens;
        const PointerSource& pointer;
        Scheduler& scheduler;
    };

    static constexpr double openDuration = 0.3;
    static constexpr double closeDuration = 0.24;
    static constexpr double resizeDuration = 0.22;

    NotchWindowController(NotchViewModel& viewModel, NudgeCompletionWindowController& completionController,
                          Ports ports);
    ~NotchWindowController();
    NotchWindowController(const NotchWindowController&) = delete;
    NotchWindowController& operator=(const NotchWindowController&) = delete;

    // Creates and shows the panel on the notch screen; nothing happens without a screen or when
    // the panel is already shown.
    void show();
    void tearDown();
    void applyAlignment(bool animated, const NotchWindowAlignment& alignment);
    static LayoutTransitionKind transitionKind(const NotchWindowAlignment& from,
                                               const NotchWindowAlignment& to);
    static double duration(LayoutTransitionKind kind);

    // The platform calls this for every pointer move or drag anywhere on the desktop.
    void reportPointer();
    bool isPointerInNotchArea(Point point) const;
    // The platform calls this when screens are added, removed or rearranged.
    void handleScreenChange();

    // Hosting-view rules, in the panel view's coordinates (origin top left, y down).
    // Whether a point lies on the drawn surface; outside it clicks pass through.
    bool visualHitTest(Point point, Rect bounds) const;
    // visualHitTest, and inside the view at all.
    bool isVisuallyInside(Point point, Rect bounds) const;
    void pointerInsideChanged(bool inside);
    void notchClicked();

    PanelWindow* panel() const { return panel_.get(); }
    const std::optional<NotchGeometry>& geometry() const { return geometry_; }
    int layoutTransitionToken() const { return layoutTransitionToken_; }
    const NotchWindowAlignment& previousAlignment() const { return previousAlignment_; }
    bool isTransitionPending() const { return transitionCompletionTask_.isPending(); }

private:
    void finishTransition(int token, bool closing);
    bool allowsHoverFromOpenState() const;
    // Whether the pointer at `p` is on the notch, on the panel's word when the panel has said it
    // left and the position has not moved since.
    bool isPointerOnNotch(Point p);

    NotchViewModel& viewModel_;
    NudgeCompletionWindowController& completionController_;
    Ports ports_;
    std::unique_ptr<PanelWindow> panel_;
    std::optional<NotchGeometry> geometry_;
    int layoutTransitionToken_ = 0;
    NotchWindowAlignment previousAlignment_ = NotchWindowAlignment::closed();
    TaskHandle transitionCompletionTask_;
    // Where the pointer was said to be when the panel reported it leaving. Until the position
    // moves on (or the panel reports an entry), the pointer is outside whatever the position
    // says: a move may raise no motion report (a single jump), and XWayland keeps the last X11
    // position while the pointer is over a Wayland surface.
    std::optional<Point> leftAt_;
};

} // namespace vornela
