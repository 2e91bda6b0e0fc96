#pragma once

#include "core/activity/ActivityShareBackground.h"
#include "core/base/Geometry.h"
#include "core/store/PreferenceKey.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vornela {

// A rendered share card. The platform subclasses it to hold its own image; the core only keeps
// and hands it back.
class ShareCardImage {
public:
    virtual ~ShareCardImage() = default;
};

using ShareCardImagePtr = std::shared_ptr<const ShareCardImage>;

// What goes to the share menu: the temporary JPEG file when it could be written, else the image.
using ShareItem = std::variant<std::string, ShareCardImagePtr>;

// What the share preview needs from the platform: drawing the card and the three exports.
// Everything is called and calls back on the main thread.
class SharePreviewServices {
public:
    virtual ~SharePreviewServices() = default;

    // Draws the 2022 × 1674 card of the heat map at `now` and hands it to `done` (null when it
    // cannot be drawn), at once or later on the main thread: a card takes several frames to draw,
    // so the platform may draw it elsewhere.
    virtual void renderCard(const IntMap& history, ActivityShareBackground background, double now,
                            std::function<void(ShareCardImagePtr)> done) = 0;
    virtual void copy(const ShareCardImage& image) = 0;
    // Asks where to save the JPEG (a dialog over the preview window) and writes it; `completion`
    // says whether a file was written, later, on the main thread. Cancel reports false.
    virtual void save(const ShareCardImage& image, std::function<void(bool saved)> completion) = 0;
    // A fresh, uniquely named temporary JPEG of the image, or none when it cannot be written.
    virtual std::optional<std::string> writeTemporaryJpeg(const ShareCardImage& image) = 0;
    // Deletes a file; one already gone is fine.
    virtual void removeFile(const std::string& path) = 0;
    // Offers the item to other programs, anchored to `anchor` in the preview window's content
    // (points, y down from its top).
    virtual void share(const ShareItem& item, const Rect& anchor) = 0;
};

} // namespace vornela
