#pragma once

namespace vornela {

// sRGB components 0...1 with an opacity.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double opacity = 1;

    static constexpr Color rgb(double r, double g, double b, double a = 1) { return Color{r, g, b, a}; }
    static constexpr Color clear() { return Color{0, 0, 0, 0}; }
    static constexpr Color white() { return Color{1, 1, 1, 1}; }
    static constexpr Color black() { return Color{0, 0, 0, 1}; }

    constexpr Color withOpacity(double a) const { return Color{red, green, blue, a}; }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

} // namespace vornela
