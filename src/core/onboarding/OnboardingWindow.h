#pragma once

#include <functional>

namespace vornela {

// The platform's first-run window: created on first presentation, then reused. It reports what
// the user and the desktop do with it through the callbacks its controller installs.
class OnboardingWindow {
public:
    virtual ~OnboardingWindow() = default;

    // Creates the window if needed, brings it to the front and tries to make it key.
    virtual void present() = 0;
    virtual void close() = 0;
    virtual bool isVisible() const = 0;

    // The window became the key window.
    std::function<void()> onDidBecomeKey;
    // The user finished onboarding in the window.
    std::function<void()> onFinishRequested;
};

} // namespace vornela
