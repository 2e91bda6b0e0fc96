#pragma once

// The simulator's stand-ins for the platform: they record, never show.

#include "SimEmitter.h"
#include "core/activity/SharePreviewServices.h"
#include "core/app/ApplicationHost.h"
#include "core/app/SettingsWindowPort.h"
#include "core/base/FixedWidthTextMeasurer.h"
#include "core/base/Haptics.h"
#include "core/base/TextMeasurer.h"
#include "core/notch/PointerSource.h"
#include "core/notch/ScreenSource.h"
#include "core/onboarding/OnboardingWindow.h"
#include "core/settings/SettingsWindowModel.h"

#include <string>
#include <vector>

namespace vornela::sim {

class SimHaptics : public Haptics {
public:
    explicit SimHaptics(SimEmitter& out) : out_(out) {}
    void performAlignment() override { out_.emit("haptic"); }

private:
    SimEmitter& out_;
};

class SimScreens : public ScreenSource {
public:
    std::vector<ScreenInfo> screens() const override { return list; }
    std::vector<ScreenInfo> list;
};

class SimPointer : public PointerSource {
public:
    Point location() const override { return at; }
    Point at{0, 0};
};

class SimApplicationHost : public ApplicationHost {
public:
    explicit SimApplicationHost(SimEmitter& out) : out_(out) {}
    void setActivationPolicy(ActivationPolicy policy) override {
        if (policy == policy_)
            return;
        policy_ = policy;
        out_.emit("activation", {{"policy", policy == ActivationPolicy::regular ? "regular" : "accessory"}});
    }
    void activate() override {}
    void terminate() override { terminated = true; }
    bool terminated = false;

private:
    SimEmitter& out_;
    ActivationPolicy policy_ = ActivationPolicy::accessory;
};

// Records a window being shown or closed.
class SimWindow {
public:
    SimWindow(SimEmitter& out, std::string name) : out_(out), name_(std::move(name)) {}
    void setShown(bool shown) {
        if (shown == shown_ && !shown)
            return;
        shown_ = shown;
        out_.emit("window", {{"name", name_}, {"shown", shown}});
    }
    bool shown() const { return shown_; }

private:
    SimEmitter& out_;
    std::string name_;
    bool shown_ = false;
};

// The settings window follows its model: shown on request, hidden when the model hears the
// close button.
class SimSettingsWindow : public SettingsWindowPort {
public:
    explicit SimSettingsWindow(SimEmitter& out) : window_(out, "settings") {}
    void bind(SettingsWindowModel& model) {
        model_ = &model;
        closes_ = model.observeOpen([this](const bool& open) {
            if (!open)
                window_.setShown(false);
        });
    }
    void show() override {
        if (model_)
            model_->willShow();
        window_.setShown(true);
    }
    bool isVisible() const override { return window_.shown(); }

private:
    SimWindow window_;
    SettingsWindowModel* model_ = nullptr;
    Subscription closes_;
};

// The share preview's platform side: the card is a stand-in and the exports go nowhere. The
// window line follows the preview model.
class SimShareServices : public SharePreviewServices {
public:
    explicit SimShareServices(SimEmitter& out) : window(out, "sharePreview") {}
    void renderCard(const IntMap&, ActivityShareBackground, double,
                    std::function<void(ShareCardImagePtr)> done) override {
        done(std::make_shared<ShareCardImage>());
    }
    void copy(const ShareCardImage&) override {}
    void save(const ShareCardImage&, std::function<void(bool)> completion) override { completion(false); }
    std::optional<std::string> writeTemporaryJpeg(const ShareCardImage&) override { return std::nullopt; }
    void removeFile(const std::string&) override {}
    void share(const ShareItem&, const Rect&) override {}

    SimWindow window;
};

// The onboarding window: shown and closed with the page and height it has. It becomes key only
// when the script says so (`do onboardingKey`).
class SimOnboardingWindow : public OnboardingWindow {
public:
    explicit SimOnboardingWindow(SimEmitter& out) : out_(out) {}

    void present(int page, double height) override {
        page_ = page;
        height_ = height;
        shown_ = true;
        emit();
    }
    void resize(int page, double height, bool) override {
        page_ = page;
        height_ = height;
    }
    void close() override {
        if (!shown_)
            return;
        if (onWillClose)
            onWillClose();
        shown_ = false;
        emit();
    }
    bool isVisible() const override { return shown_; }
    double height() const { return height_; }

private:
    void emit() {
        out_.emit("window",
                  {{"name", "onboarding"}, {"shown", shown_}, {"page", page_}, {"height", height_}});
    }

    SimEmitter& out_;
    int page_ = 0;
    double height_ = 0;
    bool shown_ = false;
};

} // namespace vornela::sim
