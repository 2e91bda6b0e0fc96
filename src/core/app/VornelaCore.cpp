#include "core/app/VornelaCore.h"

#include "core/app/UpdateServices.h"
#include "core/base/TimeZoneSource.h"

namespace vornela {

namespace {

UpdaterManager::Setup updaterSetup(const UpdatePorts* updates) {
    if (!updates)
        return {{}, {}, {}};
    return {updates->ownedByPackageManager, updates->feed, updates->version};
}

std::optional<UpdaterManager::Services> updaterServices(const CorePorts& ports, PreferencesStore& preferences,
                                                        NotificationCenter& center) {
    if (!ports.updates || !ports.updates->transport || !ports.updates->installer)
        return std::nullopt;
    return UpdaterManager::Services{preferences, ports.scheduler,           ports.clock,
                                    center,      *ports.updates->transport, *ports.updates->installer};
}

} // namespace

VornelaCore::VornelaCore(CorePorts ports)
    : ports_(ports), preferences_(ports.preferencesBackend, ports.scheduler),
      startAtLogin_(preferences_, ports.loginItem),
      updater_(updaterSetup(ports.updates), updaterServices(ports, preferences_, center_)),
      nudgeSettings_(preferences_), dayTimer_(ports.scheduler, ports.clock, ports.calendar, center_),
      health_(preferences_, nudgeSettings_, ports.clock, ports.calendar, center_),
      engine_(preferences_, nudgeSettings_, health_, ports.scheduler, ports.clock, ports.calendar),
      sharePreview_(SharePreviewModel::Services{ports.scheduler, ports.clock, ports.sharePreview}),
      notch_(NotchViewModel::Services{health_, preferences_, ports.scheduler, ports.clock, center_,
                                      ports.text, ports.haptics, ports.system, engine_, sharePreview_}),
      dashboard_(HoverHomeModel::Services{notch_, health_, ports.clock, ports.system}),
      ruler_(WaterTrackingModel::Services{notch_, health_, ports.haptics, ports.clock, ports.system}),
      activity_(ActivityPageModel::Services{notch_, health_, ports.clock, ports.calendar}),
      settings_(preferences_, nudgeSettings_, health_, engine_),
      settingsWindow_(preferences_, nudgeSettings_, settings_),
      onboarding_(OnboardingWindowController::Services{preferences_, nudgeSettings_, health_, ports.host,
                                                       ports.system, ports.onboardingWindow}),
      delegate_(AppDelegate::Services{
          preferences_, health_, notch_, engine_, ports.scheduler, center_, ports.host, ports.settingsWindow,
          onboarding_, startAtLogin_,
          NotchWindowController::Ports{ports.panels, ports.screens, ports.pointer, ports.scheduler},
          NudgeCompletionWindowController::Ports{ports.panels, ports.screens, ports.scheduler, ports.clock,
                                                 ports.cardMeasurer, ports.system}}) {
    // Goal changes reschedule the kinds whose interval follows them.
    nudgeSettings_.setRescheduler(&engine_);
    // The day record follows midnight from the start.
    dayTimer_.start();
    timeZoneReports_ = ports.timeZone.changed.connect([this] { timeZoneChanged(); });
}

VornelaCore::~VornelaCore() {
    nudgeSettings_.setRescheduler(nullptr);
}

void VornelaCore::launch() {
    if (launched_)
        return;
    launched_ = true;
    delegate_.applicationDidFinishLaunching();
}

void VornelaCore::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    delegate_.applicationWillTerminate();
    sharePreview_.close();
    dayTimer_.stop();
    preferences_.flush();
}

void VornelaCore::wallClockChanged() {
    dayTimer_.wallClockChanged();
    engine_.wakeScheduler();
}

void VornelaCore::timeZoneChanged() {
    ports_.calendar.reloadTimeZone();
    // The day first, so the lunch date below reads the new day's record.
    dayTimer_.timeZoneChanged();
    // Grid slots and the lunch time are wall-clock times of the zone they were computed in.
    engine_.rescheduleAll();
    engine_.wakeScheduler();
}

void VornelaCore::willSleep() {
    preferences_.flush();
}

void VornelaCore::didWake() {
    center_.post(notifications::didWake);
}

void VornelaCore::screensChanged() {
    center_.post(notifications::screenParametersChanged);
}

void VornelaCore::pointerMoved() {
    if (auto* controller = notchWindowController())
        controller->reportPointer();
}

void VornelaCore::becameActive() {
    delegate_.applicationDidBecomeActive();
}

} // namespace vornela
