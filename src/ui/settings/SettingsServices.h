#pragma once

#include <functional>

namespace vornela {

class AnimationDriver;
class Clock;
class LoginItemPort;
class PreferencesStore;
class ReminderEngine;
class SettingsActions;
class SettingsWindowModel;
class UpdaterPort;
struct SystemPreferences;

// What the settings window reads and writes through; it keeps nothing of its own.
struct SettingsServices {
    SettingsWindowModel& model;
    SettingsActions& actions;
    PreferencesStore& preferences;
    ReminderEngine& engine;
    UpdaterPort& updater;
    LoginItemPort& loginItem;
    SystemPreferences& system;
    const Clock& clock;
    AnimationDriver& driver;
    std::function<void()> quit;
};

} // namespace vornela
