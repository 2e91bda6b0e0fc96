#include "core/nudges/DotMatrixFrame.h"

#include <algorithm>

namespace vornela {

DotMatrixFrame DotMatrixFrame::fromRows(const std::vector<std::string>& rows,
                                        const std::map<char, Color>& palette) {
    DotMatrixFrame frame;
    frame.height = static_cast<int>(rows.size());
    for (const auto& row : rows)
        frame.width = std::max(frame.width, static_cast<int>(row.size()));
    frame.pixels.assign(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height),
                        std::nullopt);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const auto& row = rows[y];
        for (std::size_t x = 0; x < row.size(); ++x) {
            if (auto found = palette.find(row[x]); found != palette.end())
                frame.pixels[y * static_cast<std::size_t>(frame.width) + x] = found->second;
        }
    }
    return frame;
}

std::optional<Color> DotMatrixFrame::pixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return std::nullopt;
    const auto index =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return index < pixels.size() ? pixels[index] : std::nullopt;
}

} // namespace vornela
