#pragma once

#include "core/activity/ActivityHeatMapGrid.h"
#include "core/base/Calendar.h"
#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/notch/NotchViewModel.h"
#include "core/store/HealthDataStore.h"

#include <string>

namespace vornela {

// The notch's activity page: the last three months of daily balance, with a way back to the
// dashboard and a way out to the share card. Nothing is kept: the grid is built from the day
// record each time it is asked for, so a new day or a new score shows on the next draw.
class ActivityPageModel {
public:
    struct Services {
        NotchViewModel& notch;
        HealthDataStore& health;
        const Clock& clock;
        const Calendar& calendar;
    };

    explicit ActivityPageModel(Services services);

    // The page is what the notch shows now (it is drawn transparent otherwise).
    bool isActive() const;
    ActivityHeatMapGrid grid() const;
    // The chart's accessible label.
    std::string summary() const;
    int firstWeekday() const { return services_.calendar.locale().firstWeekday; }

    void back();
    // Opens the share preview with the day record, on the mono background.
    void share();

    // The history or the notch's state changed: redraw.
    Signal<> changed;

private:
    Services services_;
    Subscription history_;
    Subscription state_;
};

} // namespace vornela
