#pragma once

#include "SimEmitter.h"
#include "SimJson.h"
#include "SimLine.h"
#include "SimPanelFactory.h"
#include "SimPorts.h"
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/base/SystemPreferences.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/store/InMemoryPreferencesBackend.h"

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

    // Runs one line; a line it cannot run throws ScriptError.
    void run(const SimLine& line);

    static std::vector<ScreenInfo> defaultScreens();

private:
    // The platform as the simulator plays it, from `start` on.
    struct Desktop {
        Desktop(SimEmitter& out, double wallStart);
        CorePorts ports(const Calendar& calendar, PreferencesBackend& backend);

        ManualScheduler scheduler;
        SystemPreferences system;
        FixedWidthTextMeasurer text;
        SimHaptics haptics;
        SimScreens screens;
        SimPointer pointer;
        SimPanelFactory panels;
        FixedCompletionCardMeasurer measurer;
        SimApplicationHost host;
        SimSettingsWindow settingsWindow;
        SimSharePreview sharePreview;
        SimOnboardingWindow onboarding;
    };

    void start(const SimLine& line);
    void setPreference(const SimLine& line);
    void setScreens(const SimLine& line);
    void launch(const SimLine& line);
    void advance(const SimLine& line);
    void sleep(const SimLine& line);
    void clock(const SimLine& line);
    void pointer(const SimLine& line);
    void click(const SimLine& line);
    void action(const SimLine& line);
    void dump(const SimLine& line);
    void quit(const SimLine& line);

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
