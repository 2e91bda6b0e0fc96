#include "core/activity/ShareGrain.h"

#include <cmath>

namespace vornela {

namespace {
__extension__ typedef unsigned __int128 Wide;
} // namespace

std::uint64_t SplitMix64::next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double SplitMix64::uniform(double lo, double hi) {
    // Multiply-and-reject over 2^53 + 1 outcomes: products whose low half falls below
    // 2^64 mod (2^53 + 1) would favour some outcomes and are drawn again.
    constexpr std::uint64_t outcomes = (1ULL << 53) + 1;
    constexpr std::uint64_t threshold = 0x1FFFFFFFFFF801ULL;
    Wide product = static_cast<Wide>(next()) * outcomes;
    while (static_cast<std::uint64_t>(product) < threshold)
        product = static_cast<Wide>(next()) * outcomes;
    const auto r = static_cast<std::uint64_t>(product >> 64);
    if (r == 1ULL << 53)
        return hi;
    const double unit = static_cast<double>(r) * 0x1p-53;
    return lo + (hi - lo) * unit;
}

namespace {

std::uint64_t dotCount(double width, double height) {
    const double count = std::trunc(width * height / 180);
    // 2^63 dots is far beyond any canvas; the bound keeps the conversion defined.
    if (!(count >= 1))
        return 0;
    return count >= 0x1p63 ? (1ULL << 63) : static_cast<std::uint64_t>(count);
}

} // namespace

ShareGrain::ShareGrain(std::uint64_t seed, double width, double height)
    : random_(seed == 0 ? defaultSeed : seed), width_(width), height_(height),
      count_(dotCount(width, height)) {}

GrainDot ShareGrain::next() {
    GrainDot dot;
    dot.x = random_.uniform(0, width_);
    dot.y = random_.uniform(0, height_);
    dot.opacity = random_.uniform(0.02, 0.07);
    return dot;
}

std::vector<GrainDot> shareGrain(std::uint64_t seed, double width, double height) {
    ShareGrain grain(seed, width, height);
    std::vector<GrainDot> dots;
    dots.reserve(grain.count());
    for (std::uint64_t i = 0; i < grain.count(); ++i)
        dots.push_back(grain.next());
    return dots;
}

} // namespace vornela
