#include "platform/text/QtTextMeasurer.h"

#include <QString>

namespace vornela {

QtTextMeasurer::QtTextMeasurer(std::function<QFont(double pixelSize, FontWeight)> font)
    : font_(std::move(font)) {}

double QtTextMeasurer::width(std::string_view utf8, double pointSize, FontWeight weight) const {
    if (utf8.empty())
        return 0;
    const auto key = std::make_pair(pointSize, weight);
    auto it = metrics_.find(key);
    if (it == metrics_.end())
        it = metrics_.emplace(key, QFontMetricsF(font_ ? font_(pointSize, weight) : QFont())).first;
    return it->second.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

} // namespace vornela
