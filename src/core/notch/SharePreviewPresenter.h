#pragma once

#include "core/activity/ActivityShareBackground.h"
#include "core/store/PreferenceKey.h"

namespace vornela {

// Opens the share preview of the heat map.
class SharePreviewPresenter {
public:
    virtual ~SharePreviewPresenter() = default;
    virtual void presentSharePreview(const IntMap& dailyBalanceHistory, ActivityShareBackground initial) = 0;
};

} // namespace vornela
