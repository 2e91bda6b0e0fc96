#include "SimPanelFactory.h"

#include <algorithm>

namespace vornela::sim {

class SimPanelFactory::Panel : public PanelWindow {
public:
    Panel(SimPanelFactory& owner, std::string screen, Rect frame, PanelLevel level)
        : owner_(&owner), screen_(std::move(screen)), frame_(frame), level_(level) {
        owner_->live_.push_back(this);
        if (level_ == PanelLevel::notch)
            owner_->out_.emit("panel", {{"frame", {frame.x, frame.y, frame.width, frame.height}}});
    }
    ~Panel() override { detach(); }

    void setFrame(Rect frame, bool) override {
        if (closed_)
            return;
        frame_ = frame;
        if (level_ == PanelLevel::notch)
            owner_->out_.emit("panel", {{"frame", {frame.x, frame.y, frame.width, frame.height}}});
    }
    Rect frame() const override { return frame_; }
    void orderFront() override { setVisible(!closed_); }
    void orderOut() override { setVisible(false); }
    void close() override {
        setVisible(false);
        closed_ = true;
    }
    void setSharingType(SharingType) override {}
    void setAlpha(double) override {}
    bool isVisible() const override { return visible_; }

    const std::string& screen() const { return screen_; }
    PanelLevel level() const { return level_; }
    bool isClosed() const { return closed_; }

private:
    void setVisible(bool visible) {
        if (visible == visible_)
            return;
        visible_ = visible;
        if (owner_)
            owner_->panelChanged();
    }
    void detach() {
        if (!owner_)
            return;
        auto* owner = owner_;
        std::erase(owner->live_, this);
        visible_ = false;
        owner_ = nullptr;
        owner->panelChanged();
    }

    SimPanelFactory* owner_;
    std::string screen_;
    Rect frame_;
    PanelLevel level_;
    bool visible_ = false;
    bool closed_ = false;
};

std::unique_ptr<PanelWindow> SimPanelFactory::create(const ScreenInfo& screen, Rect frame, PanelLevel level) {
    return std::make_unique<Panel>(*this, screen.id, frame, level);
}

const PanelWindow* SimPanelFactory::notchPanel() const {
    for (auto it = live_.rbegin(); it != live_.rend(); ++it) {
        if ((*it)->level() == PanelLevel::notch && !(*it)->isClosed())
            return *it;
    }
    return nullptr;
}

void SimPanelFactory::panelChanged() {
    std::set<std::string> shown;
    for (const auto* panel : live_) {
        if (panel->level() == PanelLevel::completion && panel->isVisible())
            shown.insert(panel->screen());
    }
    if (shown == shownCompletionScreens_)
        return;
    shownCompletionScreens_ = shown;
    out_.emit("completionPanels", {{"screens", shown}});
}

} // namespace vornela::sim
