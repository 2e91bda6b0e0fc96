#pragma once

#include "core/base/Clock.h"

#include <QObject>
#include <QTimer>

#include <optional>
#include <vector>

namespace vornela {

// Implemented by views that animate. The driver asks, it never assumes.
class AnimatedSurface {
public:
    virtual ~AnimatedSurface() = default;
    // 0: redraw on every display frame; > 0: seconds until the next redraw is due; nullopt: idle.
    virtual std::optional<double> nextFrameDelay(double monotonicNow) const = 0;
    virtual void advanceFrame() = 0; // repaint now (and emit whatever the view emits per frame)
};

// The one source of animation frames. While some surface wants display-rate frames it ticks at
// the primary screen's refresh rate; otherwise it arms one single-shot timer for the earliest
// requested redraw; with nothing animating no timer is armed at all, so an idle app never wakes.
class AnimationDriver : public QObject {
    Q_OBJECT
public:
    explicit AnimationDriver(const Clock& clock, QObject* parent = nullptr);
    ~AnimationDriver() override;

    void add(AnimatedSurface* surface);
    void remove(AnimatedSurface* surface);
    // Something changed: re-evaluate soon (coalesced to one re-evaluation per event-loop turn).
    void wake();
    // One frame now: advanceFrame() on the surfaces that are due, then re-evaluate.
    void tick();
    bool isRunning() const; // a timer is armed

    // Seconds between display-rate frames.
    double frameInterval() const { return frameInterval_; }
    // The delay of the armed single-shot timer, when that is what is armed (for tests and tools).
    std::optional<double> pendingDelay() const;

private:
    void reevaluate();
    static double displayFrameInterval();

    const Clock& clock_;
    std::vector<AnimatedSurface*> surfaces_;
    QTimer frameTimer_;
    QTimer deadlineTimer_;
    double frameInterval_;
    std::optional<double> pendingDelay_;
    bool wakePending_ = false;
    bool ticking_ = false;
};

} // namespace vornela
