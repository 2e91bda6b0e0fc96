#pragma once

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

private:
    LoginItemPort& loginItem_;
    bool applied_;
};

} // namespace vornela
