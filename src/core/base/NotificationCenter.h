#pragma once

#include "core/base/Signal.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vornela {

// Names of the in-process notifications. The platform posts the day change, wake and screen
// ones; "backgroundColorDidChange" and "showOnboardingRequested" come from outside the app.
namespace notifications {
inline constexpr std::string_view calendarDayChanged = "calendarDayChanged";
inline constexpr std::string_view didWake = "didWake";
inline constexpr std::string_view screenParametersChanged = "screenParametersChanged";
inline constexpr std::string_view backgroundColorDidChange = "backgroundColorDidChange";
inline constexpr std::string_view showOnboardingRequested = "showOnboardingRequested";
} // namespace notifications

// Post by name, observe by name; no object and no payload travel with a notification.
class NotificationCenter {
public:
    void post(std::string_view name) {
        auto it = signals_.find(name);
        if (it != signals_.end())
            it->second->emit();
    }

    [[nodiscard]] Subscription observe(std::string_view name, std::function<void()> observer) {
        auto it = signals_.find(name);
        if (it == signals_.end())
            it = signals_.emplace(std::string(name), std::make_unique<Signal<>>()).first;
        return it->second->connect(std::move(observer));
    }

private:
    std::map<std::string, std::unique_ptr<Signal<>>, std::less<>> signals_;
};

} // namespace vornela
