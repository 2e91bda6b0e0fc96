#pragma once

#include "platform/xcb/XcbConnection.h"

#include <QObject>

#include <cstdint>
#include <memory>

class QSocketNotifier;

namespace vornela {

// Whether a compositing manager runs on the display's screen, that is, whether someone owns
// _NET_WM_CM_S<screen>. Asked once, then followed through XFixes selection events on a
// connection of its own: reading the answer costs no round trip, and a compositor that starts
// or stops is noticed. Off X11, or without XFixes, there is never one.
class CompositorWatcher : public QObject {
    Q_OBJECT
public:
    explicit CompositorWatcher(QObject* parent = nullptr);
    ~CompositorWatcher() override;

    // The last known answer; asks the server nothing.
    bool isActive() const { return active_; }
    // Takes in what the server has already sent, without waiting for more; then isActive().
    bool refresh();

Q_SIGNALS:
    void activeChanged(bool active);

private:
    bool connectToDisplay();

    XcbConnection connection_;
    std::unique_ptr<QSocketNotifier> notifier_; // after connection_: goes first, while the socket is open
    std::uint32_t selection_ = 0;
    std::uint8_t selectionNotify_ = 0; // the event code XFixes was given on this connection
    bool active_ = false;
};

} // namespace vornela
