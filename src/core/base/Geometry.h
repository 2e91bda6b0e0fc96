#pragma once

namespace vornela {

// Points, origin at the bottom left of the primary screen, y up (ui code converts).
struct Point {
    double x = 0;
    double y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    constexpr Point origin() const { return {x, y}; }
    constexpr Size size() const { return {width, height}; }
    constexpr double minX() const { return x; }
    constexpr double maxX() const { return x + width; }
    constexpr double midX() const { return x + width / 2; }
    constexpr double minY() const { return y; }
    constexpr double maxY() const { return y + height; }
    constexpr double midY() const { return y + height / 2; }
    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    // Half-open on the far edges, like the platform's hit tests.
    constexpr bool contains(Point p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }
    constexpr Rect insetBy(double dx, double dy) const {
        return {x + dx, y + dy, width - 2 * dx, height - 2 * dy};
    }
    constexpr Rect offsetBy(double dx, double dy) const { return {x + dx, y + dy, width, height}; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace vornela
