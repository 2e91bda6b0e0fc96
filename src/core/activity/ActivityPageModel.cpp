#include "core/activity/ActivityPageModel.h"

namespace vornela {

ActivityPageModel::ActivityPageModel(Services services) : services_(services) {
    history_ = services_.health.dailyBalanceHistory.observe([this](const IntMap&) { changed.emit(); });
    state_ = services_.notch.notchState.observe([this](const NotchState&) { changed.emit(); });
}

bool ActivityPageModel::isActive() const {
    return services_.notch.notchState.get().is(NotchState::Case::activityHeatMap);
}

ActivityHeatMapGrid ActivityPageModel::grid() const {
    return ActivityHeatMapGrid::build(services_.health.dailyBalanceHistory.get(), services_.clock.wallNow(),
                                      services_.calendar);
}

std::string ActivityPageModel::summary() const {
    return trackedDaysSummary(grid());
}

void ActivityPageModel::back() {
    services_.notch.closeActivityHeatMap();
}

void ActivityPageModel::share() {
    services_.notch.shareActivity();
}

} // namespace vornela
