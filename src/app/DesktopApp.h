#pragma once

#include "app/PanelContentBinder.h"
#include "app/SettingsWindowHost.h"
#include "core/app/UpdateServices.h"
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TimeZoneSource.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "platform/pointer/XInputPointerSource.h"
#include "platform/screen/QtScreenSource.h"
#include "platform/share/LinuxShareServices.h"
#include "platform/system/LogindSleepWatcher.h"
#include "platform/system/NullHaptics.h"
#include "platform/system/PortalSystemPreferences.h"
#include "platform/system/PreferencesFileWatcher.h"
#include "platform/system/QtApplicationHost.h"
#include "platform/system/TimeZoneWatcher.h"
#include "platform/system/XdgAutostartLoginItem.h"
#include "platform/text/QtTextMeasurer.h"
#include "platform/text/SystemLocaleData.h"
#include "platform/time/QtScheduler.h"
#include "platform/time/SystemClock.h"
#include "platform/update/UpdateBackend.h"
#include "platform/window/QtPanelWindowFactory.h"
#include "ui/activity/ShareCardSource.h"
#include "ui/activity/SharePreviewWindow.h"
#include "ui/base/AnimationDriver.h"
#include "ui/base/WindowTheme.h"
#include "ui/nudges/CompletionCardSizer.h"
#include "ui/onboarding/OnboardingWindowHost.h"
#include "ui/updates/UpdateDialog.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <string>

namespace vornela {

// The running application: Linux services at the core's ports, the core built by its one
// composition root, and the painted surfaces put into the panels it opens. Destroyed in
// reverse order, so nothing outlives what it refers to.
class DesktopApp {
public:
    explicit DesktopApp(std::filesystem::path preferencesFile = JsonFilePreferencesBackend::defaultPath());
    ~DesktopApp();
    DesktopApp(const DesktopApp&) = delete;
    DesktopApp& operator=(const DesktopApp&) = delete;

    void launch();
    // The orderly end: services stopped, panels gone, preferences written. Idempotent.
    void terminate();

    VornelaCore& core() { return *core_; }
    SettingsWindowHost& settingsWindow() { return settingsWindow_; }
    LoginItemPort& loginItem() { return loginItem_; }
    UpdaterPort& updater() { return core_->updater(); }

private:
    // A home install with a feed and a key updates itself; every other install says why not.
    void buildUpdatePorts();
    // Once the notch has stayed closed a while, what drawing its text left behind is given back.
    void scheduleIdleRelease();

    // Receiver of Qt connections to longer-lived objects, so they end with the app.
    QObject connections_;
    SystemClock clock_;
    QtScheduler scheduler_{clock_};
    Calendar calendar_{systemLocaleData()};
    JsonFilePreferencesBackend backend_;
    SystemPreferences system_;
    PortalSystemPreferences portal_{system_};
    WindowTheme theme_{system_};
    QtTextMeasurer text_;
    NullHaptics haptics_;
    QtScreenSource screens_;
    XInputPointerSource pointer_;
    QtPanelWindowFactory panels_;
    CompletionCardSizer cardSizer_;
    QtApplicationHost host_;
    XdgAutostartLoginItem loginItem_;
    AnimationDriver driver_{clock_};
    SettingsWindowHost settingsWindow_{host_};
    OnboardingWindowHost onboardingWindow_;
    ShareCardSource shareCards_{calendar_};
    LinuxShareServices sharePreview_{
        {std::ref(shareCards_), [](const QImage& card) { return encodeJpeg(card); }}};
    TimeZoneSource timeZone_;
    // What a home install updates itself with: they outlive the core's updater.
    std::unique_ptr<UpdateBackend> updateBackend_;
    UpdatePorts updatePorts_;
    std::unique_ptr<VornelaCore> core_;
    std::unique_ptr<PanelContentBinder> binder_;
    std::unique_ptr<SharePreviewWindow> sharePreviewWindow_;
    std::unique_ptr<LogindSleepWatcher> sleepWatcher_;
    std::unique_ptr<PreferencesFileWatcher> fileWatcher_;
    std::unique_ptr<TimeZoneWatcher> timeZoneWatcher_;
    // The dialog the updater offers releases in, built on the first offer.
    std::unique_ptr<UpdateDialog> updateDialog_;
    Subscription updateOffers_;
    Subscription sharePresents_;
    Subscription loadProblems_;
    Subscription loginProblems_;
    Subscription saveFailures_;
    Subscription notchStates_;
    TaskHandle idleRelease_;
    std::string lastSaveFailure_;
    bool terminated_ = false;
};

} // namespace vornela
