#pragma once

#include "core/base/Haptics.h"

namespace vornela {

// Linux laptops have no haptic trackpads: feedback is simply not felt.
class NullHaptics : public Haptics {
public:
    void performAlignment() override {}
};

} // namespace vornela
