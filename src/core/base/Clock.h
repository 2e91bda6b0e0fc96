#pragma once

namespace vornela {

// Instants are seconds as 64-bit floats. Wall time counts from 1970-01-01 UTC and may be set
// by the user; monotonic time stops while the machine sleeps; continuous time does not.
enum class ClockKind { wall, monotonic, continuous };

class Clock {
public:
    virtual ~Clock() = default;
    virtual double now(ClockKind kind) const = 0;

    double wallNow() const { return now(ClockKind::wall); }
    double monotonicNow() const { return now(ClockKind::monotonic); }
    double continuousNow() const { return now(ClockKind::continuous); }
};

} // namespace vornela
