#include "core/nudges/DotMatrixPlayer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vornela {

namespace {

constexpr double bobbingSpeed = 3.4; // radians per second
constexpr double shortestRedrawInterval = 1.0 / 60.0;

DotMatrixPicture firstFrame(const DotMatrixAnimation& animation, Point offset) {
    DotMatrixPicture picture;
    if (!animation.frames.empty())
        picture.frame = animation.frames.front();
    picture.offset = offset;
    return picture;
}

} // namespace

DotMatrixPicture pictureAt(const DotMatrixAnimation& animation, double elapsed, double floatAmplitude) {
    const auto count = animation.frames.size();
    const double floatY = std::isfinite(elapsed) && std::isfinite(floatAmplitude)
                              ? floatAmplitude * std::sin(bobbingSpeed * elapsed)
                              : 0.0;

    auto withFloat = [floatY](DotMatrixPicture picture) {
        picture.floatY = floatY;
        return picture;
    };

    if (count == 0)
        return withFloat(DotMatrixPicture{});

    const double q = elapsed / animation.frameDuration;
    if (!(animation.frameDuration > 0) || std::isnan(q))
        return withFloat(firstFrame(animation, animation.offsetOfFrame(0)));

    // Stay in floating point until the index is known to be small: elapsed times can be arbitrarily large.
    const double raw = std::trunc(q);
    const double n = static_cast<double>(count);
    double index = 0;
    if (animation.loop) {
        // fmod keeps the dividend's sign; an infinite time has no meaningful frame.
        if (std::isinf(raw))
            index = raw < 0 ? -1 : 0;
        else
            index = std::fmod(raw, n);
    } else {
        index = std::min(raw, n - 1);
    }

    if (index < 0) // an instant before the start
        return withFloat(firstFrame(animation, Point{}));

    const auto i = static_cast<std::size_t>(index);
    DotMatrixPicture picture;
    picture.frame = animation.frames[i];
    picture.frameIndex = i;
    picture.offset = animation.offsetOfFrame(i);
    return withFloat(std::move(picture));
}

RedrawSchedule redrawSchedule(const DotMatrixAnimation& animation, double floatAmplitude, bool animate,
                              bool reduceMotion) {
    if (!animate || reduceMotion)
        return {RedrawMode::still, 0};
    if (floatAmplitude > 0)
        return {RedrawMode::everyDisplayFrame, 0};
    // std::max keeps the first argument when the duration is NaN.
    return {RedrawMode::periodic, std::max(shortestRedrawInterval, animation.frameDuration)};
}

double drawingElapsed(const RedrawSchedule& schedule, double elapsedSinceStart) {
    return schedule.mode == RedrawMode::still ? stillElapsed() : elapsedSinceStart;
}

std::vector<DotRect> dotRects(const DotMatrixPicture& picture, double pixelSize, double spacing,
                              double boxWidth, double boxHeight) {
    const auto& frame = picture.frame;
    std::vector<DotRect> dots;
    if (frame.height <= 0 || frame.width <= 0)
        return dots;

    const double w = frame.width;
    const double h = frame.height;
    const double totalWidth = pixelSize * w + spacing * std::max(w - 1, 0.0);
    const double totalHeight = pixelSize * h + spacing * std::max(h - 1, 0.0);
    const double left = picture.offset.x + (boxWidth - totalWidth) / 2;
    const double top = picture.floatY + picture.offset.y + (boxHeight - totalHeight) / 2;
    const double pitch = pixelSize + spacing;

    const auto width = static_cast<std::size_t>(frame.width);
    // A hand-made frame may break the size invariant; draw what is there rather than read past it.
    const auto available = std::min(frame.pixels.size(), width * static_cast<std::size_t>(frame.height));
    for (std::size_t i = 0; i < available; ++i) {
        const auto& pixel = frame.pixels[i];
        if (!pixel)
            continue;
        const auto row = static_cast<double>(i / width);
        const auto column = static_cast<double>(i % width);
        dots.push_back(DotRect{Rect{left + pitch * column, top + pitch * row, pixelSize, pixelSize}, *pixel,
                               0.2 * pixelSize});
    }
    return dots;
}

} // namespace vornela
