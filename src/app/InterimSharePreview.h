#pragma once

#include "core/notch/SharePreviewPresenter.h"

namespace vornela {

// Interim: the heat map and its share card are not drawn yet, so there is nothing to share.
class InterimSharePreview : public SharePreviewPresenter {
public:
    void presentSharePreview(const IntMap&, int) override {}
};

} // namespace vornela
