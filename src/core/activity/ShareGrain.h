#pragma once

#include <cstdint>
#include <vector>

namespace vornela {

// SplitMix64: the same seed gives the same numbers on every machine.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in the closed range [lo, hi], from an integer 0...2^53 drawn without bias.
    double uniform(double lo, double hi);

private:
    std::uint64_t state_;
};

// One grain speck: a 1.1 × 1.1 white dot whose bounding box starts at (x, y).
struct GrainDot {
    double x = 0;
    double y = 0;
    double opacity = 0;
    friend bool operator==(const GrainDot&, const GrainDot&) = default;
};

// The share card's film grain on a W × H canvas, drawn in order.
class ShareGrain {
public:
    // A seed of 0 stands for the fixed default, so "no seed" still gives grain.
    static constexpr std::uint64_t defaultSeed = 0x4D34D34D;

    ShareGrain(std::uint64_t seed, double width, double height);
    // One dot per 180 square points, truncated; none for an empty or invalid canvas.
    std::uint64_t count() const { return count_; }
    GrainDot next();

private:
    SplitMix64 random_;
    double width_;
    double height_;
    std::uint64_t count_;
};

// All dots of a canvas.
std::vector<GrainDot> shareGrain(std::uint64_t seed, double width, double height);

} // namespace vornela
