#pragma once

#include "core/notch/PointerSource.h"
#include "platform/xcb/XcbConnection.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace vornela {

// The pointer's location, and a wake-up whenever it moves anywhere on the display. Motion comes
// from XInput 2 raw events on a connection of our own, so an idle pointer costs nothing: no
// polling timer, the process sleeps until the X server writes.
class XInputPointerSource : public QObject, public PointerSource {
    Q_OBJECT
public:
    explicit XInputPointerSource(QObject* parent = nullptr);
    ~XInputPointerSource() override;

    Point location() const override;

    // Whether motion anywhere on the display is reported (xcb with XInput 2 only).
    bool hasGlobalMotion() const { return notifier_ != nullptr; }

    // The pointer moved. At most once per event-loop turn, however fast motion arrives.
    std::function<void()> onPointerMoved;

private:
    // Milliseconds between two reports while the pointer keeps moving.
    static constexpr qint64 minimumInterval = 16;

    bool connectToDisplay();
    void drainEvents();
    void report();

    XcbConnection connection_;
    std::unique_ptr<QSocketNotifier> notifier_; // after connection_: goes first, while the socket is open
    quint8 xinputOpcode_ = 0;
    bool movePending_ = false;
    QTimer reportTimer_;
    QElapsedTimer sinceReport_;
};

} // namespace vornela
