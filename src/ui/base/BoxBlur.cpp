#include "ui/base/BoxBlur.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vornela {

namespace {

// Box radii of three passes whose combination has deviation `sigma`.
std::array<int, 3> boxRadii(double sigma) {
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double m =
        std::round((12 * sigma * sigma - passes * lower * lower - 4.0 * passes * lower - 3.0 * passes) /
                   (-4.0 * lower - 4));
    std::array<int, 3> radii{};
    for (int i = 0; i < passes; ++i)
        radii[static_cast<std::size_t>(i)] = ((i < m ? lower : upper) - 1) / 2;
    return radii;
}

// One running-sum box pass over `count` pixels, read contiguously and written `stride` apart,
// all four channels at once.
void boxPass(const std::uint32_t* in, std::uint32_t* out, int count, int stride, int radius) {
    const int width = 2 * radius + 1;
    std::array<int, 4> sum{};
    auto add = [&](std::uint32_t p, int sign) {
        sum[0] += sign * int(p & 0xff);
        sum[1] += sign * int((p >> 8) & 0xff);
        sum[2] += sign * int((p >> 16) & 0xff);
        sum[3] += sign * int(p >> 24);
    };
    for (int i = 0; i <= radius && i < count; ++i)
        add(in[i], 1);
    for (int i = 0; i < count; ++i) {
        out[i * stride] = std::uint32_t(sum[0] / width) | (std::uint32_t(sum[1] / width) << 8) |
                          (std::uint32_t(sum[2] / width) << 16) | (std::uint32_t(sum[3] / width) << 24);
        const int entering = i + radius + 1;
        const int leaving = i - radius;
        if (entering < count)
            add(in[entering], 1);
        if (leaving >= 0)
            add(in[leaving], -1);
    }
}

} // namespace

void gaussianBlur(QImage& image, double sigma) {
    if (sigma <= 0 || image.isNull())
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    std::vector<std::uint32_t> line(static_cast<std::size_t>(std::max(w, h)));
    for (int radius : boxRadii(sigma)) {
        if (radius <= 0)
            continue;
        for (int y = 0; y < h; ++y) {
            std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
            std::copy(row, row + w, line.begin());
            boxPass(line.data(), row, w, 1, radius);
        }
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y)
                line[static_cast<std::size_t>(y)] = pixels[static_cast<std::ptrdiff_t>(y) * stride + x];
            boxPass(line.data(), pixels + x, h, stride, radius);
        }
    }
}

} // namespace vornela
