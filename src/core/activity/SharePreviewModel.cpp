#include "core/activity/SharePreviewModel.h"

#include <algorithm>

namespace vornela {

SharePreviewModel::SharePreviewModel(Services services) : services_(services) {}

SharePreviewModel::~SharePreviewModel() {
    // The temporary card holds health data: it goes with the window.
    removeShareFile();
}

void SharePreviewModel::presentSharePreview(const IntMap& dailyBalanceHistory,
                                            ActivityShareBackground initial) {
    if (open_)
        disappear();
    open_ = true;
    history_ = dailyBalanceHistory;
    background_ = initial;
    previewImage_.reset();
    didCopy_ = didSave_ = isRendering_ = false;
    renderToken_ = 0;
    showing_ = std::make_shared<int>(0);
    appear();
    presentRequested.emit();
}

void SharePreviewModel::close() {
    if (!open_)
        return;
    disappear();
    changed.emit();
}

void SharePreviewModel::appear() {
    resetFeedback();
    requestRender();
}

void SharePreviewModel::disappear() {
    open_ = false;
    showing_.reset();
    pendingRenders_.clear();
    isRendering_ = false;
    resetFeedback();
    removeShareFile();
}

void SharePreviewModel::removeShareFile() {
    if (shareFilePath_) {
        services_.platform.removeFile(*shareFilePath_);
        shareFilePath_.reset();
    }
}

void SharePreviewModel::chooseBackground(ActivityShareBackground background) {
    if (!open_ || background == background_)
        return;
    background_ = background;
    resetFeedback();
    requestRender();
}

void SharePreviewModel::resetFeedback() {
    feedbackReset_.cancel();
    didCopy_ = didSave_ = false;
    changed.emit();
}

// Copy and save feedback never show together; the latest export shows for the full time.
void SharePreviewModel::showFeedback(bool copied) {
    didCopy_ = copied;
    didSave_ = !copied;
    feedbackReset_ = services_.scheduler.after(ClockKind::continuous, feedbackSeconds, [this] {
        didCopy_ = didSave_ = false;
        changed.emit();
    });
    changed.emit();
}

void SharePreviewModel::copy() {
    if (!open_ || !previewImage_)
        return;
    services_.platform.copy(*previewImage_);
    showFeedback(true);
}

void SharePreviewModel::save() {
    if (!open_ || !previewImage_)
        return;
    std::weak_ptr<int> showing = showing_;
    services_.platform.save(*previewImage_, [this, showing](bool saved) {
        // Cancel, a failed write or a window closed meanwhile: the feedback stays as it is.
        if (saved && !showing.expired())
            showFeedback(false);
    });
}

void SharePreviewModel::share(double contentWidth) {
    if (!open_ || !previewImage_)
        return;
    removeShareFile();
    const ShareCardImagePtr image = previewImage_;
    shareFilePath_ = services_.platform.writeTemporaryJpeg(*image);
    const ShareItem item = shareFilePath_ ? ShareItem(*shareFilePath_) : ShareItem(image);
    changed.emit();
    services_.platform.share(item, Rect{contentWidth / 2 - 10, 28, 20, 20});
}

void SharePreviewModel::requestRender() {
    isRendering_ = true;
    const int token = ++renderToken_;
    std::erase_if(pendingRenders_, [](const TaskHandle& task) { return !task.isPending(); });
    pendingRenders_.push_back(services_.scheduler.post([this, token] { render(token); }));
    changed.emit();
}

void SharePreviewModel::render(int token) {
    // A newer request is on its way; drawing this one would only be thrown away.
    if (token != renderToken_)
        return;
    std::weak_ptr<bool> alive = alive_;
    services_.platform.renderCard(history_, background_, services_.clock.wallNow(),
                                  [this, alive, token](ShareCardImagePtr image) {
                                      // Drawn for a choice since replaced, a closed window or a
                                      // model that is gone: dropped.
                                      if (alive.expired() || token != renderToken_ || !open_)
                                          return;
                                      if (image)
                                          previewImage_ = std::move(image);
                                      isRendering_ = false;
                                      changed.emit();
                                  });
}

} // namespace vornela
