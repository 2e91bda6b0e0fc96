#pragma once

#include "core/activity/SharePreviewServices.h"

namespace vornela {

// Interim: the share card is not drawn on the desktop yet, so there is nothing to export.
class InterimSharePreview : public SharePreviewServices {
public:
    ShareCardImagePtr renderCard(const IntMap&, ActivityShareBackground, double) override { return nullptr; }
    void copy(const ShareCardImage&) override {}
    void save(const ShareCardImage&, std::function<void(bool)> completion) override { completion(false); }
    std::optional<std::string> writeTemporaryJpeg(const ShareCardImage&) override { return std::nullopt; }
    void removeFile(const std::string&) override {}
    void share(const ShareItem&, const Rect&) override {}
};

} // namespace vornela
