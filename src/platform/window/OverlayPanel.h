#pragma once

#include "core/notch/PanelWindow.h"
#include "core/notch/PanelWindowFactory.h"
#include "core/notch/ScreenSource.h"
#include "platform/window/CompositorWatcher.h"

#include <QObject>
#include <QPointer>
#include <QRegion>

#include <memory>
#include <optional>

class QWidget;

namespace vornela {

// A panel as an X11 overlay: a frameless, never-focused, always-on-top dock window on every
// desktop, without taskbar or pager entry, clicks passing through wherever its input shape does
// not cover.
class OverlayPanel : public QObject, public PanelWindow {
    Q_OBJECT
public:
    // Follows `compositor` (a factory shares one among its panels); without one the panel
    // watches for itself.
    OverlayPanel(const ScreenInfo& screen, Rect frame, PanelLevel level,
                 CompositorWatcher* compositor = nullptr);
    ~OverlayPanel() override;

    QWidget* window() const; // the top-level overlay widget; nullptr once closed
    // Reparents `content` into window() and keeps it filling the window. A previous content is
    // deleted.
    void setContent(QWidget* content);
    // Where the panel takes clicks, in logical window coordinates; everywhere until set. Kept
    // across resizes and re-creation of the native window.
    void setInputShape(const QRegion& region);
    QRegion inputShape() const;
    // The visible outline's pixels (logical window coordinates), the window's shape while no
    // compositing manager runs: transparent pixels would show black then. Kept while one runs,
    // for when it stops; meanwhile the shape is the whole window.
    void setFallbackShape(const QRegion& outline);
    // A compositing manager owns _NET_WM_CM_S<screen>, as far as the server has told us by now
    // (no round trip); always false off X11.
    bool hasCompositor() const;
    quint32 nativeWindowId() const; // the X11 window id; 0 before creation and after close()
    PanelLevel level() const { return level_; }
    const ScreenInfo& screen() const { return screen_; }
    SharingType sharingType() const { return sharingType_; }

    void setFrame(Rect frame, bool display) override;
    Rect frame() const override { return frame_; }
    void orderFront() override;
    void orderOut() override;
    void close() override;
    // X11 cannot keep a window out of screen captures; the value is only remembered.
    void setSharingType(SharingType type) override { sharingType_ = type; }
    void setAlpha(double alpha) override;
    bool isVisible() const override;

Q_SIGNALS:
    // Shown and raised to the top of the stack, before the requests are flushed.
    void orderedFront();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyGeometry();
    void applyWindowType();
    void applyWindowState();
    void requestAllDesktops();
    void applyShapes();
    void applyInputShape();
    void applyBoundingShape();
    QRect logicalInputRect() const;

    ScreenInfo screen_;
    Rect frame_;
    PanelLevel level_;
    SharingType sharingType_ = SharingType::readOnly;
    QWidget* window_ = nullptr; // ours; deleted by close()
    QPointer<QWidget> content_;
    std::optional<QRegion> inputShape_;
    QRegion fallbackShape_;
    std::optional<QRegion> appliedMask_;
    std::unique_ptr<CompositorWatcher> ownCompositor_;
    QPointer<CompositorWatcher> compositor_;
};

} // namespace vornela
