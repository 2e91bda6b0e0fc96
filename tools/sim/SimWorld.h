#pragma once

#include "SimCommand.h"
#include "SimEmitter.h"
#include "SimJson.h"
#include "SimPanelFactory.h"
#include "SimPorts.h"
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/base/SystemPreferences.h"
#include "core/base/TimeZoneSource.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "fakes/InMemoryLoginItem.h"

#include <memory>
#include <string>
#include <vector>

namespace vornela::sim {

// Drives Vornela's core on virtual time from script lines: each command is parsed, handed to the
// core as the platform or a view would hand it, and what happens is printed by recorders at the
// ports and observers of the core.
class SimWorld {
public:
    explicit SimWorld(std::ostream& out);
    ~SimWorld();

    // Runs one command; one it cannot run now throws ScriptError.
    void run(const SimCommand& command);

    static std::vector<ScreenInfo> defaultScreens();

private:
    // The platform as the simulator plays it, from `start` on.
    struct Desktop {
        Desktop(SimEmitter& out, double wallStart);
        CorePorts ports(const Calendar& calendar, PreferencesBackend& backend);

        ManualScheduler scheduler;
        SystemPreferences system;
        TimeZoneSource timeZone;
        fakes::InMemoryLoginItem loginItem;
        FixedWidthTextMeasurer text;
        SimHaptics haptics;
        SimScreens screens;
        SimPointer pointer;
        SimPanelFactory panels;
        FixedCompletionCardMeasurer measurer;
        SimApplicationHost host;
        SimSettingsWindow settingsWindow;
        SimShareServices sharePreview;
        SimOnboardingWindow onboarding;
    };

    void start(const SimCommand& command);
    void setPreference(const SimCommand& command);
    void setScreens(const SimCommand& command);
    void launch(const SimCommand& command);
    void advance(const SimCommand& command);
    void sleep(const SimCommand& command);
    void clock(const SimCommand& command);
    void timeZone(const SimCommand& command);
    void pointer(const SimCommand& command);
    void click(const SimCommand& command);
    void action(const SimCommand& command);
    void dump(const SimCommand& command);
    void quit(const SimCommand& command);
    void firstWeekday(const SimCommand& command);
    void heatmap(const SimCommand& command);
    void grain(const SimCommand& command);

    // Refuses a wall time the output cannot name (years 1 to 9999 in the current zone).
    void expectWallInRange(double wall, const char* command) const;
    void observe();
    void deliverHostingTracking();
    Desktop& desktop();
    VornelaCore& core();
    NotchWindowController& notchController();

    Calendar calendar_;
    SimEmitter out_;
    std::vector<ScreenInfo> screens_;
    InMemoryPreferencesBackend backend_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<VornelaCore> core_;
    std::vector<Subscription> subscriptions_;
    bool hostingTracked_ = false; // the pointer is inside the notch view's tracking area
};

} // namespace vornela::sim
