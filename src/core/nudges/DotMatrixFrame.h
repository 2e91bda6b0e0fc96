#pragma once

#include "core/base/Color.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vornela {

// One picture of a dot-matrix animation. `pixels` is row-major (index y * width + x, rows top to bottom)
// and always holds width * height entries; an absent entry means no dot at all.
struct DotMatrixFrame {
    int width = 0;
    int height = 0;
    std::vector<std::optional<Color>> pixels;

    // Builds a frame from ASCII rows, one character per dot. The widest row sets the width; characters
    // the palette lacks, and the tails of shorter rows, stay absent. A palette entry of Color::clear()
    // is a present dot that simply draws nothing visible.
    static DotMatrixFrame fromRows(const std::vector<std::string>& rows,
                                   const std::map<char, Color>& palette);

    // The entry at column x of row y; absent outside the frame.
    std::optional<Color> pixelAt(int x, int y) const;

    friend bool operator==(const DotMatrixFrame&, const DotMatrixFrame&) = default;
};

} // namespace vornela
