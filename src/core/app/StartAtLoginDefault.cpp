#include "core/app/StartAtLoginDefault.h"

#include "core/app/LoginItemPort.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

namespace vornela {

StartAtLoginDefault::StartAtLoginDefault(const PreferencesStore& preferences, LoginItemPort& loginItem)
    : loginItem_(loginItem), applied_(preferences.read(keys::hasCompletedOnboarding)) {}

std::string StartAtLoginDefault::onboardingFinished() {
    if (applied_)
        return {};
    applied_ = true;
    std::string why = loginItem_.setEnabled(true);
    if (!why.empty())
        failed.emit(why);
    return why;
}

} // namespace vornela
