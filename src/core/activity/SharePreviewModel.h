#pragma once

#include "core/activity/ActivityShareBackground.h"
#include "core/activity/SharePreviewServices.h"
#include "core/base/Clock.h"
#include "core/base/Scheduler.h"
#include "core/base/Signal.h"
#include "core/notch/SharePreviewPresenter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vornela {

// The share preview window's logic: which card is shown, the background picker, and the copy,
// save and share exports with their brief "Copied" / "Saved" feedback. Each showing starts
// afresh from the background it was opened with and renders once; renders run on the next
// turn of the main queue and only the latest request is drawn.
class SharePreviewModel : public SharePreviewPresenter {
public:
    struct Services {
        Scheduler& scheduler;
        const Clock& clock;
        SharePreviewServices& platform;
    };

    // How long "Copied" or "Saved" shows after the last successful export (continuous clock).
    static constexpr double feedbackSeconds = 1.8;

    explicit SharePreviewModel(Services services);
    ~SharePreviewModel() override;
    SharePreviewModel(const SharePreviewModel&) = delete;
    SharePreviewModel& operator=(const SharePreviewModel&) = delete;

    // Opens (or, when open, replaces) the showing; `presentRequested` asks the window to come
    // to the front.
    void presentSharePreview(const IntMap& dailyBalanceHistory, ActivityShareBackground initial) override;
    // The window was closed: feedback ends and the temporary share file is deleted.
    void close();

    // The view's controls.
    void chooseBackground(ActivityShareBackground background);
    void copy();
    void save();
    // `contentWidth`: the window content's width, to anchor the menu under the preview's top.
    void share(double contentWidth);

    bool isOpen() const { return open_; }
    const IntMap& history() const { return history_; }
    ActivityShareBackground background() const { return background_; }
    // The last rendered card; none until the first render of this showing lands.
    const ShareCardImagePtr& previewImage() const { return previewImage_; }
    bool didCopy() const { return didCopy_; }
    bool didSave() const { return didSave_; }
    bool isRendering() const { return isRendering_; }
    int renderToken() const { return renderToken_; }
    const std::optional<std::string>& shareFilePath() const { return shareFilePath_; }

    // Any of the values above changed.
    Signal<> changed;
    // A showing began: the window should be shown and brought to the front.
    Signal<> presentRequested;

private:
    void appear();
    void disappear();
    void resetFeedback();
    void showFeedback(bool copied);
    void requestRender();
    void render(int token);
    void removeShareFile();

    Services services_;
    bool open_ = false;
    IntMap history_;
    ActivityShareBackground background_ = ActivityShareBackground::mono;
    ShareCardImagePtr previewImage_;
    bool didCopy_ = false;
    bool didSave_ = false;
    bool isRendering_ = false;
    int renderToken_ = 0;
    std::optional<std::string> shareFilePath_;
    TaskHandle feedbackReset_;
    std::vector<TaskHandle> pendingRenders_;
    // Replaced for every showing: a save answered after its showing ended changes nothing.
    std::shared_ptr<int> showing_;
    // A card drawn elsewhere may come back after the model is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace vornela
