#pragma once

#include "core/base/TextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>

#include <functional>
#include <map>
#include <utility>

namespace vornela {

// Text widths from Qt's font metrics. `font` builds the interface font at a pixel size
// (points == logical pixels); metrics are kept per size and weight.
class QtTextMeasurer : public TextMeasurer {
public:
    explicit QtTextMeasurer(std::function<QFont(double pixelSize, FontWeight)> font);

    double width(std::string_view utf8, double pointSize, FontWeight weight) const override;

private:
    std::function<QFont(double, FontWeight)> font_;
    mutable std::map<std::pair<double, FontWeight>, QFontMetricsF> metrics_;
};

} // namespace vornela
