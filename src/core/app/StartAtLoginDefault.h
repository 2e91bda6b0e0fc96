#pragma once

#include "core/base/Signal.h"

#include <string>

namespace vornela {

class LoginItemPort;
class PreferencesStore;

// Finishing the first setup turns starting at login on, as onboarding's last page says. Only the
// first setup: a user who turned it off afterwards and goes through onboarding again keeps it off.
class StartAtLoginDefault {
public:
    // Built before onboarding can finish: it remembers whether this process began set up.
    StartAtLoginDefault(const PreferencesStore& preferences, LoginItemPort& loginItem);

    // Onboarding has finished. Empty, or why starting at login could not be turned on.
    std::string onboardingFinished();
    // Finishing onboarding now would turn it on: the last page says so.
    bool willTurnOn() const { return !applied_; }

    // Turning it on failed: why, for the session log.
    Signal<std::string> failed;

private:
    LoginItemPort& loginItem_;
    bool applied_;
};

} // namespace vornela
