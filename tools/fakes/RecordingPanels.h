#pragma once

#include "core/notch/PanelWindowFactory.h"

#include <memory>
#include <string>
#include <vector>

namespace vornela::fakes {

// What happened to one panel; it outlives the panel so a caller can look after a close.
struct PanelRecord {
    std::string screenID;
    PanelLevel level = PanelLevel::notch;
    Rect frame;
    bool visible = false;
    bool closed = false;
    bool destroyed = false;
    int orderOuts = 0;
    double alpha = 1;
    SharingType sharing = SharingType::none;
};

// A panel that only remembers; a closed panel cannot be shown again, as on a desktop.
class RecordingPanel : public PanelWindow {
public:
    explicit RecordingPanel(std::shared_ptr<PanelRecord> record) : record_(std::move(record)) {}
    ~RecordingPanel() override {
        record_->visible = false;
        record_->destroyed = true;
    }

    void setFrame(Rect frame, bool) override { record_->frame = frame; }
    Rect frame() const override { return record_->frame; }
    void orderFront() override { record_->visible = !record_->closed; }
    void orderOut() override {
        record_->visible = false;
        ++record_->orderOuts;
    }
    void close() override {
        record_->visible = false;
        record_->closed = true;
    }
    void setSharingType(SharingType type) override { record_->sharing = type; }
    void setAlpha(double alpha) override { record_->alpha = alpha; }
    bool isVisible() const override { return record_->visible; }

private:
    std::shared_ptr<PanelRecord> record_;
};

class RecordingPanelFactory : public PanelWindowFactory {
public:
    std::unique_ptr<PanelWindow> create(const ScreenInfo& screen, Rect frame, PanelLevel level) override {
        auto record = std::make_shared<PanelRecord>();
        record->screenID = screen.id;
        record->level = level;
        record->frame = frame;
        created.push_back(record);
        return std::make_unique<RecordingPanel>(record);
    }

    // Panels of a level that are still open, oldest first.
    std::vector<std::shared_ptr<PanelRecord>> live(PanelLevel level) const {
        std::vector<std::shared_ptr<PanelRecord>> result;
        for (const auto& r : created) {
            if (r->level == level && !r->closed && !r->destroyed)
                result.push_back(r);
        }
        return result;
    }
    std::shared_ptr<PanelRecord> notchPanel() const {
        auto panels = live(PanelLevel::notch);
        return panels.empty() ? nullptr : panels.back();
    }

    std::vector<std::shared_ptr<PanelRecord>> created;
};

} // namespace vornela::fakes
