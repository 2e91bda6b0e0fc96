#include "core/store/BalanceFace.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace vornela {

namespace {

constexpr int faceSize = 9;

struct Dot {
    int row;
    int column;
};

// Halves away from zero for a smile; a slightly sad mood is cut to a flat mouth.
int roundMood(double value) {
    return value >= 0 ? static_cast<int>(std::round(value)) : static_cast<int>(value);
}

std::vector<Dot> mouthDots(int score) {
    if (score <= 21) // deep frown: the middle dot sits two rows above its neighbours
        return {{8, 2}, {7, 3}, {5, 4}, {7, 5}, {8, 6}};
    if (score <= 39)
        return {{7, 2}, {6, 3}, {6, 4}, {6, 5}, {7, 6}};

    double mood = 0;
    if (score < 50)
        mood = (score - 50) / 50.0;
    else if (score < 85)
        mood = (score - 50) / 35.0 * 0.72;
    else
        mood = 0.88 + (score - 85) / 15.0 * 0.12;
    const double k = score > 97 ? 2 : 1;
    const int a = roundMood(mood * k);
    const int b = roundMood(mood * k * 0.5);

    std::vector<Dot> dots{{6 - a, 2}, {6 - b, 3}, {6, 4}, {6 - b, 5}, {6 - a, 6}};
    if (score >= 98 && mood > 0.9)
        dots.push_back({5, 4}); // opens the grin
    return dots;
}

DotMatrixFrame faceFrame(const std::vector<Dot>& eyes, const std::vector<Dot>& mouth, Color color) {
    DotMatrixFrame frame{faceSize, faceSize,
                         std::vector<std::optional<Color>>(faceSize * faceSize, std::nullopt)};
    auto light = [&](const Dot& dot) {
        if (dot.row >= 0 && dot.row < faceSize && dot.column >= 0 && dot.column < faceSize)
            frame.pixels[static_cast<std::size_t>(dot.row * faceSize + dot.column)] = color;
    };
    for (const auto& dot : eyes)
        light(dot);
    for (const auto& dot : mouth)
        light(dot);
    return frame;
}

} // namespace

DotMatrixAnimation balanceFaceAnimation(int score, BalanceTier tier) {
    const int clamped = std::clamp(score, 0, 100);
    const Color color = tierColor(tier);
    const auto mouth = mouthDots(clamped);

    std::vector<Dot> openEyes{{2, 2}, {2, 6}};
    if (clamped >= 50) {
        openEyes.push_back({1, 2});
        openEyes.push_back({1, 6});
    }
    const auto open = faceFrame(openEyes, mouth, color);
    const auto halfClosed = faceFrame({{2, 2}, {2, 6}}, mouth, color);
    const auto closed = faceFrame({{2, 1}, {2, 2}, {2, 6}, {2, 7}}, mouth, color);

    DotMatrixAnimation animation;
    animation.frames = {open, open, open, open, open, open, halfClosed, closed, halfClosed};
    animation.frameOffsets.assign(animation.frames.size(), Point{});
    animation.frameDuration = 0.4;
    animation.loop = true;
    return animation;
}

} // namespace vornela
