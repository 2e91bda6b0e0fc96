#pragma once

#include "base/TextMeasurer.h"
#include "base/Typography.h"

#include <QFontMetricsF>
#include <QString>

namespace vornela {

// Real Inter metrics, so the gallery's nudges are as wide as on the desktop.
class GalleryTextMeasurer : public TextMeasurer {
public:
    double width(std::string_view utf8, double pointSize, FontWeight weight) const override {
        const QFontMetricsF metrics(interfaceFont(pointSize, weight));
        return metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }
};

} // namespace vornela
