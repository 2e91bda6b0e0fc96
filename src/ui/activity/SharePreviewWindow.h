#pragma once

#include "core/activity/SharePreviewModel.h"
#include "core/base/Signal.h"

#include <QImage>
#include <QPushButton>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>

namespace vornela {

class SharePreviewArea;
class ShareSwatchButton;

// The share preview: the card as it will be exported, the background picker and the Copy,
// Save… and Share… buttons. One window, shown again for every showing of the model.
class SharePreviewWindow : public QWidget {
public:
    // The pixels of a card the platform drew.
    using Pixels = std::function<QImage(const ShareCardImage&)>;

    static constexpr QSize contentSize{580, 640};
    static constexpr QSize minimumContentSize{520, 580};

    SharePreviewWindow(SharePreviewModel& model, Pixels pixels, QWidget* parent = nullptr);
    ~SharePreviewWindow() override;

    QPushButton& copyButton() { return *copy_; }
    QPushButton& saveButton() { return *save_; }
    QPushButton& shareButton() { return *share_; }
    // Shown, raised and given the focus (the model's present requests do this too).
    void present();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();

    SharePreviewModel& model_;
    SharePreviewArea* preview_;
    std::array<ShareSwatchButton*, 4> swatches_{};
    QPushButton* copy_;
    QPushButton* save_;
    QPushButton* share_;
    bool placed_ = false;
    Subscription changed_;
    Subscription presented_;
};

} // namespace vornela
