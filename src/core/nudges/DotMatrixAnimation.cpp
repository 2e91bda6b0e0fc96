#include "core/nudges/DotMatrixAnimation.h"

namespace vornela {

Point DotMatrixAnimation::offsetOfFrame(std::size_t index) const {
    return index < frameOffsets.size() ? frameOffsets[index] : Point{};
}

} // namespace vornela
