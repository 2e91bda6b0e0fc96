#pragma once

// The simulator's stand-ins for the platform: they record, never show.

#include "SimEmitter.h"
#include "core/app/ApplicationHost.h"
#include "core/app/OnboardingWindowPort.h"
#include "core/app/SettingsWindowPort.h"
#include "core/base/FixedWidthTextMeasurer.h"
#include "core/base/Haptics.h"
#include "core/base/TextMeasurer.h"
#include "core/notch/NotchViewModel.h"
#include "core/notch/PointerSource.h"
#include "core/notch/ScreenSource.h"

#include <functional>
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

class SimSettingsWindow : public SettingsWindowPort {
public:
    explicit SimSettingsWindow(SimEmitter& out) : window_(out, "settings") {}
    void show() override { window_.setShown(true); }
    bool isVisible() const override { return window_.shown(); }

private:
    SimWindow window_;
};

class SimSharePreview : public SharePreviewPresenter {
public:
    explicit SimSharePreview(SimEmitter& out) : window_(out, "sharePreview") {}
    void presentSharePreview(const IntMap&, int) override { window_.setShown(true); }

private:
    SimWindow window_;
};

// Onboarding as far as the lifecycle sees it: showing it, and its Finish.
class SimOnboardingWindow : public OnboardingWindowPort {
public:
    SimOnboardingWindow(SimEmitter& out, std::function<void()> onShow, std::function<void()> onFinish)
        : window_(out, "onboarding"), onShow_(std::move(onShow)), onFinish_(std::move(onFinish)) {}

    void show() override {
        didFinish_ = false;
        didBecomeVisible_ = false;
        if (onShow_)
            onShow_();
        window_.setShown(true);
        // The window becomes key as soon as it is shown.
        didBecomeVisible_ = true;
        if (onDidPresent)
            onDidPresent();
    }
    bool isWindowVisible() const override { return window_.shown(); }
    bool didBecomeVisible() const override { return didBecomeVisible_; }

    void finish() {
        if (didFinish_)
            return;
        didFinish_ = true;
        if (onFinish_)
            onFinish_();
        if (onDidFinish)
            onDidFinish();
        if (window_.shown())
            window_.setShown(false);
    }

private:
    SimWindow window_;
    std::function<void()> onShow_;
    std::function<void()> onFinish_;
    bool didFinish_ = false;
    bool didBecomeVisible_ = false;
};

} // namespace vornela::sim
