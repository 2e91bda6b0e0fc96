#include "ui/base/AnimationDriver.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {
// A redraw requested this close to now counts as due: timers fire a hair early or late.
constexpr double dueTolerance = 0.002;
} // namespace

AnimationDriver::AnimationDriver(const Clock& clock, QObject* parent)
    : QObject(parent), clock_(clock), frameInterval_(displayFrameInterval()) {
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(std::max(1, static_cast<int>(std::lround(frameInterval_ * 1000))));
    connect(&frameTimer_, &QTimer::timeout, this, &AnimationDriver::tick);
    deadlineTimer_.setTimerType(Qt::PreciseTimer);
    deadlineTimer_.setSingleShot(true);
    connect(&deadlineTimer_, &QTimer::timeout, this, &AnimationDriver::tick);
}

AnimationDriver::~AnimationDriver() = default;

double AnimationDriver::displayFrameInterval() {
    double rate = 60;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const double reported = screen->refreshRate();
        if (std::isfinite(reported) && reported >= 1)
            rate = reported;
    }
    return 1.0 / rate;
}

void AnimationDriver::add(AnimatedSurface* surface) {
    if (!surface || std::find(surfaces_.begin(), surfaces_.end(), surface) != surfaces_.end())
        return;
    surfaces_.push_back(surface);
    wake();
}

void AnimationDriver::remove(AnimatedSurface* surface) {
    surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
    if (surfaces_.empty()) {
        frameTimer_.stop();
        deadlineTimer_.stop();
        pendingDelay_.reset();
    }
}

void AnimationDriver::wake() {
    if (wakePending_)
        return;
    wakePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            wakePending_ = false;
            reevaluate();
        },
        Qt::QueuedConnection);
}

void AnimationDriver::tick() {
    if (ticking_)
        return;
    ticking_ = true;
    const double now = clock_.monotonicNow();
    // A surface may remove others (or itself) while it repaints: walk a copy, skip the departed.
    const std::vector<AnimatedSurface*> snapshot = surfaces_;
    for (AnimatedSurface* surface : snapshot) {
        if (std::find(surfaces_.begin(), surfaces_.end(), surface) == surfaces_.end())
            continue;
        const std::optional<double> delay = surface->nextFrameDelay(now);
        if (delay && *delay <= dueTolerance)
            surface->advanceFrame();
    }
    ticking_ = false;
    reevaluate();
}

void AnimationDriver::reevaluate() {
    const double now = clock_.monotonicNow();
    std::optional<double> earliest;
    for (AnimatedSurface* surface : surfaces_) {
        const std::optional<double> delay = surface->nextFrameDelay(now);
        if (delay && (!earliest || *delay < *earliest))
            earliest = std::max(0.0, *delay);
    }
    if (!earliest) {
        frameTimer_.stop();
        deadlineTimer_.stop();
        pendingDelay_.reset();
        return;
    }
    if (*earliest <= dueTolerance) {
        deadlineTimer_.stop();
        pendingDelay_.reset();
        if (!frameTimer_.isActive())
            frameTimer_.start();
        return;
    }
    frameTimer_.stop();
    pendingDelay_ = *earliest;
    deadlineTimer_.start(std::max(1, static_cast<int>(std::ceil(*earliest * 1000))));
}

bool AnimationDriver::isRunning() const {
    return frameTimer_.isActive() || deadlineTimer_.isActive();
}

std::optional<double> AnimationDriver::pendingDelay() const {
    if (!deadlineTimer_.isActive())
        return std::nullopt;
    return pendingDelay_;
}

} // namespace vornela
