#pragma once

#include "core/base/Geometry.h"
#include "core/nudges/DotMatrixFrame.h"

#include <cstddef>
#include <vector>

namespace vornela {

// A sequence of frames played at a fixed rate.
struct DotMatrixAnimation {
    std::vector<DotMatrixFrame> frames;
    // Per-frame shift of the whole frame in points, x right and y DOWN (drawing coordinates, unlike the
    // y-up screen convention of Point elsewhere). May be shorter than `frames`; missing entries mean (0, 0).
    std::vector<Point> frameOffsets;
    // Seconds each frame is shown; expected to be > 0.
    double frameDuration = 0.25;
    // true: cycle through the frames; false: play once and hold the last frame.
    bool loop = true;

    // The offset of frame `index`; (0, 0) when the list has no entry for it.
    Point offsetOfFrame(std::size_t index) const;

    friend bool operator==(const DotMatrixAnimation&, const DotMatrixAnimation&) = default;
};

} // namespace vornela
