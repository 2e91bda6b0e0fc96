#pragma once

#include <string_view>

namespace vornela {

enum class FontWeight { regular, medium, semibold, bold };

// Width of one line of text in the interface font (Inter), at a size in points.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double width(std::string_view utf8, double pointSize, FontWeight weight) const = 0;
};

} // namespace vornela
