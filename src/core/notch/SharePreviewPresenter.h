#pragma once

#include "core/store/PreferenceKey.h"

namespace vornela {

// Opens the share preview of the heat map (the desktop fills it in).
class SharePreviewPresenter {
public:
    virtual ~SharePreviewPresenter() = default;
    virtual void presentSharePreview(const IntMap& dailyBalanceHistory, int backgroundIndex) = 0;
};

} // namespace vornela
