#pragma once

#include "core/base/Geometry.h"

namespace vornela {

// Whether a panel shows up in screen captures and recordings.
enum class SharingType { none, readOnly };

// A borderless, non-activating, always-on-top overlay window on all desktops, transparent,
// without shadow, click-through outside the shape its content draws. Frames are global points,
// y up.
class PanelWindow {
public:
    virtual ~PanelWindow() = default;

    // `display` asks for the new frame to be drawn at once rather than on the next repaint.
    virtual void setFrame(Rect frame, bool display) = 0;
    virtual Rect frame() const = 0;
    // Brings the panel to the front without activating the application.
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    // Destroys the platform window; the object only answers frame() and isVisible() afterwards.
    virtual void close() = 0;
    virtual void setSharingType(SharingType type) = 0;
    virtual void setAlpha(double alpha) = 0;
    virtual bool isVisible() const = 0;
};

} // namespace vornela
