#include "ui/activity/ShareCardSource.h"

#include "core/activity/ActivityHeatMapGrid.h"

namespace vornela {

QImage ShareCardSource::operator()(const IntMap& history, ActivityShareBackground background, double now) {
    if (!renderer_)
        renderer_.emplace(applicationIcon(108), productWebAddress());
    const ShareCardContent content{ActivityHeatMapGrid::build(history, now, calendar_),
                                   shareDateRangeText(now, calendar_), calendar_.locale().firstWeekday};
    return renderer_->render(content, background);
}

} // namespace vornela
