#pragma once

#include "core/activity/SharePreviewServices.h"
#include "core/app/ApplicationHost.h"
#include "core/app/CorePorts.h"
#include "core/app/SettingsWindowPort.h"
#include "core/base/FixedWidthTextMeasurer.h"
#include "core/base/Haptics.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TimeZoneSource.h"
#include "core/notch/PointerSource.h"
#include "core/notch/ScreenSource.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/onboarding/OnboardingWindow.h"
#include "fakes/InMemoryLoginItem.h"
#include "fakes/RecordingPanels.h"
#include "fakes/SampleScreens.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

namespace vornela::fakes {

class RecordingHaptics : public Haptics {
public:
    void performAlignment() override { ++alignments; }
    int alignments = 0;
};

class FakeScreenSource : public ScreenSource {
public:
    std::vector<ScreenInfo> screens() const override { return list; }
    std::vector<ScreenInfo> list;
};

class FakePointer : public PointerSource {
public:
    Point location() const override { return at; }
    Point at{5, 5};
};

// Records each change of the activation policy; the application starts as an accessory.
class RecordingHost : public ApplicationHost {
public:
    void setActivationPolicy(ActivationPolicy policy) override {
        if (policy != this->policy())
            policies.push_back(policy);
    }
    void activate() override { ++activations; }
    void terminate() override { terminated = true; }
    ActivationPolicy policy() const {
        return policies.empty() ? ActivationPolicy::accessory : policies.back();
    }

    std::vector<ActivationPolicy> policies;
    int activations = 0;
    bool terminated = false;
};

class RecordingSettingsWindow : public SettingsWindowPort {
public:
    void show() override { ++shows; }
    bool isVisible() const override { return shows > 0; }
    int shows = 0;
};

// Becomes key as soon as it is presented, as a desktop window does once the event loop turns,
// unless told to wait. Keeps the frame of a window whose top edge stays put.
class RecordingOnboardingWindow : public OnboardingWindow {
public:
    void present(int p, double h) override {
        ++presents;
        page = p;
        height = h;
        visible = true;
        if (becomesKeyOnPresent)
            becomeKey();
    }
    void resize(int p, double h, bool a) override {
        page = p;
        height = h;
        animated = a;
        ++resizes;
    }
    void close() override {
        if (!visible)
            return;
        if (onWillClose)
            onWillClose();
        visible = false;
    }
    bool isVisible() const override { return visible; }

    void becomeKey() {
        if (onDidBecomeKey)
            onDidBecomeKey();
    }
    // The title bar's close button.
    void pressClose() {
        if (!onShouldClose || onShouldClose())
            close();
    }

    int presents = 0;
    int resizes = 0;
    int page = -1;
    double height = 0;
    bool animated = false;
    bool visible = false;
    bool becomesKeyOnPresent = true;
};

// The share preview's platform side: cards are numbered stand-ins, temporary files are real
// files under `directory`, and a save waits for the test to answer it.
class FakeShareServices : public SharePreviewServices {
public:
    struct Card : ShareCardImage {
        Card(int n, ActivityShareBackground b) : number(n), background(b) {}
        int number;
        ActivityShareBackground background;
    };

    // Draws at once, as a platform that draws on the main thread would; with `holdRenders` the
    // cards wait in `heldRenders` until the test hands them back, as from a worker thread.
    void renderCard(const IntMap&, ActivityShareBackground background, double,
                    std::function<void(ShareCardImagePtr)> done) override {
        ++renders;
        ShareCardImagePtr card = renderSucceeds ? std::make_shared<Card>(renders, background) : nullptr;
        if (holdRenders)
            heldRenders.push_back([card, done = std::move(done)] { done(card); });
        else
            done(card);
    }
    void copy(const ShareCardImage& image) override { copies.push_back(number(image)); }
    void save(const ShareCardImage& image, std::function<void(bool)> completion) override {
        saves.push_back(number(image));
        pendingSave = std::move(completion);
    }
    // The user confirms (true) or cancels, or the write fails (false).
    void answerSave(bool saved) {
        if (auto completion = std::exchange(pendingSave, {}))
            completion(saved);
    }
    std::optional<std::string> writeTemporaryJpeg(const ShareCardImage& image) override {
        if (directory.empty())
            return std::nullopt;
        const auto path = directory / ("card-" + std::to_string(++temporaryFiles) + ".jpg");
        std::ofstream(path) << number(image);
        return path.string();
    }
    void removeFile(const std::string& path) override {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    void share(const ShareItem& item, const Rect& anchor) override { shared.push_back({item, anchor}); }

    static int number(const ShareCardImage& image) { return static_cast<const Card&>(image).number; }

    // Empty: temporary files cannot be written.
    std::filesystem::path directory;
    bool renderSucceeds = true;
    bool holdRenders = false;
    std::vector<std::function<void()>> heldRenders;
    int renders = 0;
    int temporaryFiles = 0;
    std::vector<int> copies;
    std::vector<int> saves;
    std::function<void(bool)> pendingSave;
    std::vector<std::pair<ShareItem, Rect>> shared;
};

// Every port of the desktop as a recorder: nothing is shown, everything can be looked at.
struct FakeDesktop {
    explicit FakeDesktop(std::vector<ScreenInfo> screenList = {notchedLaptop()}) {
        screens.list = std::move(screenList);
    }

    // The ports for a core on the given clock, scheduler, calendar and stored preferences.
    // `textMeasurer` replaces the fixed-width one (the gallery measures with real fonts).
    CorePorts ports(const Clock& clock, Scheduler& scheduler, const Calendar& calendar,
                    PreferencesBackend& backend, const TextMeasurer* textMeasurer = nullptr) {
        return CorePorts{clock,    scheduler, calendar, backend,    textMeasurer ? *textMeasurer : text,
                         haptics,  system,    screens,  pointer,    panels,
                         measurer, host,      settings, onboarding, sharePreview,
                         timeZone, loginItem, nullptr};
    }

    FixedWidthTextMeasurer text;
    RecordingHaptics haptics;
    SystemPreferences system;
    FakeScreenSource screens;
    FakePointer pointer;
    RecordingPanelFactory panels;
    FixedCompletionCardMeasurer measurer;
    RecordingHost host;
    RecordingSettingsWindow settings;
    RecordingOnboardingWindow onboarding;
    FakeShareServices sharePreview;
    TimeZoneSource timeZone;
    InMemoryLoginItem loginItem;
};

} // namespace vornela::fakes
