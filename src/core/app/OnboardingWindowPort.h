#pragma once

#include <functional>

namespace vornela {

// The first-run window. The desktop builds it; the application delegate installs the callbacks.
class OnboardingWindowPort {
public:
    virtual ~OnboardingWindowPort() = default;

    // Creates the window if needed and brings it to the front.
    virtual void show() = 0;
    // The window exists and is on screen.
    virtual bool isWindowVisible() const = 0;
    // The window has reported itself visible at least once since it was last shown.
    virtual bool didBecomeVisible() const = 0;

    std::function<void()> onDidPresent;
    std::function<void()> onDidFinish;
    std::function<void()> onOpenSettings;
};

} // namespace vornela
