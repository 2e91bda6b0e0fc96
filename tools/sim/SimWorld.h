#pragma once

#include "SimEmitter.h"
#include "SimLine.h"
#include "SimPanelFactory.h"
#include "SimPorts.h"
#include "core/app/AppDelegate.h"
#include "core/base/Calendar.h"
#include "core/base/DayChangeTimer.h"
#include "core/base/ManualScheduler.h"
#include "core/base/NotificationCenter.h"
#include "core/base/SystemPreferences.h"
#include "core/notch/NotchViewModel.h"
#include "core/nudges/FixedCompletionCardMeasurer.h"
#include "core/nudges/NudgeSettings.h"
#include "core/nudges/ReminderEngine.h"
#include "core/store/HealthDataStore.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "core/store/PreferencesStore.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornela::sim {

// A script line the simulator cannot run.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The whole of Vornela's core on virtual time, with the platform replaced by recorders.
class SimWorld {
public:
    explicit SimWorld(std::ostream& out);
    ~SimWorld();

    void run(const SimLine& line);

    static std::vector<ScreenInfo> defaultScreens();
    static std::vector<ScreenInfo> parseScreens(const nlohmann::json& value);

private:
    struct Core;

    void start(const SimLine& line);
    void launch();
    void pointer(const SimLine& line);
    void click();
    void action(const SimLine& line);
    void dump();
    void setScreens(const SimLine& line);
    void setPreference(const SimLine& line);
    void deliverHostingTracking();
    void observe();
    Core& core();
    NotchWindowController& notchController();

    Calendar calendar_;
    SimEmitter out_;
    std::vector<ScreenInfo> screens_;
    std::unique_ptr<Core> core_;
    bool launched_ = false;
    bool hostingTracked_ = false; // the pointer is inside the notch view's tracking area
};

} // namespace vornela::sim
