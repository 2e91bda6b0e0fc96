#include "core/activity/ActivityShareBackground.h"

namespace vornela {

using Bg = ActivityShareBackground;

std::string_view rawValue(ActivityShareBackground background) {
    switch (background) {
    case Bg::mono:
        return "mono";
    case Bg::colorful:
        return "colorful";
    case Bg::thriving:
        return "thriving";
    case Bg::amber:
        return "amber";
    }
    return "mono";
}

std::optional<ActivityShareBackground> shareBackgroundFromRaw(std::string_view raw) {
    for (auto background : allShareBackgrounds) {
        if (rawValue(background) == raw)
            return background;
    }
    return std::nullopt;
}

std::string_view displayName(ActivityShareBackground background) {
    switch (background) {
    case Bg::mono:
        return "Mono";
    case Bg::colorful:
        return "Colorful";
    case Bg::thriving:
        return "Thriving";
    case Bg::amber:
        return "Amber";
    }
    return "Mono";
}

ShareBackgroundPalette palette(ActivityShareBackground background) {
    switch (background) {
    case Bg::mono:
        return {Color::rgb(0.86, 0.86, 0.88), Color::rgb(0.42, 0.42, 0.44), Color::rgb(0.42, 0.42, 0.44),
                Color::rgb(0.06, 0.06, 0.06)};
    case Bg::colorful:
        return {Color::rgb(0.353, 0.784, 0.686), Color::rgb(0.188, 0.82, 0.345),
                Color::rgb(1.0, 0.624, 0.039), Color::rgb(0.04, 0.05, 0.06)};
    case Bg::thriving:
        return {Color::rgb(0.188, 0.82, 0.345), Color::rgb(0.1, 0.48, 0.32), Color::rgb(0.1, 0.48, 0.32),
                Color::rgb(0.045, 0.075, 0.055)};
    case Bg::amber:
        return {Color::rgb(1.0, 0.624, 0.039), Color::rgb(0.86, 0.38, 0.16), Color::rgb(0.86, 0.38, 0.16),
                Color::rgb(0.09, 0.055, 0.035)};
    }
    return palette(Bg::mono);
}

namespace {

// Colours spread evenly from the start circle to the end circle.
RadialLayer layer(std::vector<Color> colors, double cx, double cy, double startRadius, double endRadius) {
    RadialLayer out{{}, cx, cy, startRadius, endRadius};
    const double last = colors.size() > 1 ? static_cast<double>(colors.size() - 1) : 1;
    for (std::size_t i = 0; i < colors.size(); ++i)
        out.stops.emplace_back(colors[i], static_cast<double>(i) / last);
    return out;
}

} // namespace

std::vector<RadialLayer> radialLayers(ActivityShareBackground background) {
    const auto [a, b, c, d] = palette(background);
    const Color clear = Color::clear();
    const Color white = Color::white();
    switch (background) {
    case Bg::mono:
        return {layer({a.withOpacity(0.32), a.withOpacity(0.12), a.withOpacity(0)}, 0.5, 0.38, 60, 980),
                layer({b.withOpacity(0.22), b.withOpacity(0)}, 0.16, 0.18, 20, 720),
                layer({white.withOpacity(0.1), clear}, 0.82, 0.72, 16, 640)};
    case Bg::colorful: {
        const Color teal = Color::rgb(0.22, 0.72, 0.68);
        const Color green = Color::rgb(0.2, 0.82, 0.38);
        const Color coral = Color::rgb(0.96, 0.42, 0.36);
        return {layer({teal.withOpacity(0.55), teal.withOpacity(0.18), clear}, 0.12, 0.45, 40, 1100),
                layer({green.withOpacity(0.48), green.withOpacity(0.14), clear}, 0.42, 0.08, 30, 980),
                layer({Color::rgb(1.0, 0.62, 0.12, 0.46), Color::rgb(1.0, 0.48, 0.1, 0.16), clear}, 0.9, 0.88,
                      30, 1050),
                layer({coral.withOpacity(0.28), clear}, 0.88, 0.22, 20, 780),
                layer({white.withOpacity(0.06), clear}, 0.5, 0.48, 20, 560)};
    }
    case Bg::thriving:
    case Bg::amber:
        return {layer({a.withOpacity(0.48), a.withOpacity(0.18), a.withOpacity(0)}, 0.48, 0.38, 50, 1000),
                layer({b.withOpacity(0.28), b.withOpacity(0)}, 0.14, 0.18, 16, 760),
                layer({a.withOpacity(0.16), clear}, 0.86, 0.78, 14, 700)};
    }
    return {};
}

std::vector<Color> swatchColors(ActivityShareBackground background) {
    const auto [a, b, c, d] = palette(background);
    switch (background) {
    case Bg::mono:
        return {a, b, d};
    case Bg::colorful:
        return {a, b, c, d};
    case Bg::thriving:
    case Bg::amber:
        return {a, b.withOpacity(0.7), d};
    }
    return {a, b, d};
}

RadialLayer swatchGradient(ActivityShareBackground background) {
    if (background == Bg::colorful) {
        // Off centre, so the four hues all show in a small circle.
        const auto [a, b, c, d] = palette(background);
        return layer({b, a, c.withOpacity(0.85), d}, 0.35, 0.3, 1, 16);
    }
    return layer(swatchColors(background), 0.5, 0.5, 1, 14);
}

double sheenOpacity(ActivityShareBackground background) {
    return background == Bg::mono ? 0.09 : 0.045;
}

double vignetteOpacity(ActivityShareBackground background) {
    return background == Bg::colorful ? 0.38 : 0.32;
}

double grainOpacity(ActivityShareBackground background) {
    return background == Bg::mono ? 0.55 : 0.4;
}

std::uint64_t grainSeed(ActivityShareBackground background) {
    switch (background) {
    case Bg::mono:
        return 42;
    case Bg::colorful:
        return 77;
    case Bg::thriving:
        return 101;
    case Bg::amber:
        return 139;
    }
    return 42;
}

} // namespace vornela
