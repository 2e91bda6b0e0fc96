#pragma once

#include "core/base/TextMeasurer.h"

namespace vornela {

// Every Unicode code point is 6 points wide, whatever the size and weight: text widths for
// headless runs (the simulator, tests) that do not depend on installed fonts.
class FixedWidthTextMeasurer : public TextMeasurer {
public:
    static constexpr double pointsPerCodePoint = 6.0;

    double width(std::string_view utf8, double, FontWeight) const override {
        double codePoints = 0;
        for (unsigned char byte : utf8) {
            if ((byte & 0xC0) != 0x80)
                ++codePoints;
        }
        return pointsPerCodePoint * codePoints;
    }
};

} // namespace vornela
