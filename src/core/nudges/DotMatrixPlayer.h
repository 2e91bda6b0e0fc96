#pragma once

#include "core/base/Color.h"
#include "core/base/Geometry.h"
#include "core/nudges/DotMatrixAnimation.h"
#include "core/nudges/DotMatrixFrame.h"

#include <cstddef>
#include <vector>

namespace vornela {

// What a dot-matrix view shows at one instant. The frame is a copy so a picture never outlives its data.
struct DotMatrixPicture {
    DotMatrixFrame frame;
    // Which entry of the animation's frames this is; 0 for the fallback picture (see pictureAt).
    std::size_t frameIndex = 0;
    // Frame offset in y-down drawing coordinates.
    Point offset;
    // Vertical bobbing, y-down.
    double floatY = 0;

    friend bool operator==(const DotMatrixPicture&, const DotMatrixPicture&) = default;
};

// The picture `elapsed` seconds after the animation started.
// - Frame index = elapsed / frameDuration truncated toward zero; looping takes it modulo the frame count
//   (keeping the sign, so a negative elapsed gives a negative index); a one-shot animation holds its last
//   frame.
// - A negative index (an instant before the start) shows the first frame without offset; no frames at
//   all give an empty 0 x 0 frame.
// - A frameDuration <= 0 (or a non-finite elapsed) shows the first frame at its own offset.
// - floatY = floatAmplitude * sin(3.4 * elapsed).
DotMatrixPicture pictureAt(const DotMatrixAnimation& animation, double elapsed, double floatAmplitude);

enum class RedrawMode {
    still,             // drawn once, for elapsed 0
    periodic,          // redrawn every `interval` seconds from the start
    everyDisplayFrame, // redrawn on every display refresh (continuous bobbing)
};

struct RedrawSchedule {
    RedrawMode mode = RedrawMode::still;
    // Seconds between redraws for `periodic`; 0 otherwise.
    double interval = 0;

    friend bool operator==(const RedrawSchedule&, const RedrawSchedule&) = default;
};

// How often a view must redraw. Animating without reduced motion redraws every display frame when it
// bobs, otherwise at frame boundaries but never more than 60 times a second (short frames get skipped,
// not slowed down). Anything else is a still picture.
RedrawSchedule redrawSchedule(const DotMatrixAnimation& animation, double floatAmplitude, bool animate,
                              bool reduceMotion);

// The elapsed time a still picture is drawn for: the first frame at its own offset, with no bobbing.
constexpr double stillElapsed() {
    return 0;
}

// The elapsed time to pass to pictureAt under `schedule`: stillElapsed() for a still view, otherwise the
// real time since the view's start.
double drawingElapsed(const RedrawSchedule& schedule, double elapsedSinceStart);

// One dot to fill: a rounded square in y-down box coordinates (origin at the box's top left).
struct DotRect {
    Rect rect;
    Color color;
    double cornerRadius = 0;

    friend bool operator==(const DotRect&, const DotRect&) = default;
};

// The dots of `picture` laid out in a boxWidth x boxHeight box: the matrix is centred (not scaled, so a
// larger matrix overflows evenly), then shifted by the frame offset and the bobbing. Only present
// pixels produce a dot, in row-major order.
std::vector<DotRect> dotRects(const DotMatrixPicture& picture, double pixelSize, double spacing,
                              double boxWidth, double boxHeight);

} // namespace vornela
