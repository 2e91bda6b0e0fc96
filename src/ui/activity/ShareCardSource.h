#pragma once

#include "core/activity/ActivityShareBackground.h"
#include "core/base/Calendar.h"
#include "core/store/PreferenceKey.h"
#include "ui/activity/ShareCardRenderer.h"

#include <QImage>

#include <optional>

namespace vornela {

// The share card of a day record at an instant, laid out in the calendar's locale. The icon is
// read on the first card, so the SVG plugin loads only when someone shares.
class ShareCardSource {
public:
    explicit ShareCardSource(const Calendar& calendar) : calendar_(calendar) {}

    QImage operator()(const IntMap& history, ActivityShareBackground background, double now);

private:
    const Calendar& calendar_;
    std::optional<ShareCardRenderer> renderer_;
};

} // namespace vornela
