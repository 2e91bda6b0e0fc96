#pragma once

namespace vornela {

// Haptic feedback; a trackpad without an actuator simply feels nothing.
class Haptics {
public:
    virtual ~Haptics() = default;
    virtual void performAlignment() = 0;
};

} // namespace vornela
