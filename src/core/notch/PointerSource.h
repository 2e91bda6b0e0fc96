#pragma once

#include "core/base/Geometry.h"

namespace vornela {

// Where the pointer is right now, in global points (y up). Pointer motion itself reaches core as
// calls to NotchWindowController::reportPointer.
class PointerSource {
public:
    virtual ~PointerSource() = default;
    virtual Point location() const = 0;
};

} // namespace vornela
