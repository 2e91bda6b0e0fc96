#pragma once

#include "core/base/Color.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace vornela {

// The share card's backdrops, in the order the preview offers them.
enum class ActivityShareBackground { mono, colorful, thriving, amber };

inline constexpr std::array<ActivityShareBackground, 4> allShareBackgrounds = {
    ActivityShareBackground::mono, ActivityShareBackground::colorful, ActivityShareBackground::thriving,
    ActivityShareBackground::amber};

std::string_view rawValue(ActivityShareBackground background);
std::optional<ActivityShareBackground> shareBackgroundFromRaw(std::string_view raw);
std::string_view displayName(ActivityShareBackground background);

// A background's four colours: a main glow, a second and a third glow, and the base fill.
struct ShareBackgroundPalette {
    Color a;
    Color b;
    Color c;
    Color d;
};
ShareBackgroundPalette palette(ActivityShareBackground background);

// A radial gradient over the card or a swatch. Stops carry their opacity in the colour and sit
// at their position 0...1 from the start circle to the end circle; the centre is in units of the
// area it fills (x right, y down), the radii in points.
struct RadialLayer {
    std::vector<std::pair<Color, double>> stops;
    double cx = 0.5;
    double cy = 0.5;
    double startRadius = 0;
    double endRadius = 0;
    friend bool operator==(const RadialLayer&, const RadialLayer&) = default;
};

// The glows drawn over the base fill, bottom first.
std::vector<RadialLayer> radialLayers(ActivityShareBackground background);
// The picker's 28 × 28 swatch circle.
RadialLayer swatchGradient(ActivityShareBackground background);
// The swatch's colours in their listed order.
std::vector<Color> swatchColors(ActivityShareBackground background);

// Above the glows: a white sheen from the top centre down to 45 % of the height, a vignette
// from clear to black between the radii below, centred, and the grain.
double sheenOpacity(ActivityShareBackground background);
double vignetteOpacity(ActivityShareBackground background);
inline constexpr double vignetteStartRadius = 380;
inline constexpr double vignetteEndRadius = 1180;
inline constexpr double sheenEndY = 0.45;
double grainOpacity(ActivityShareBackground background);
std::uint64_t grainSeed(ActivityShareBackground background);

} // namespace vornela
