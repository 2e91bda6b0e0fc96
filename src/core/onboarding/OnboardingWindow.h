#pragma once

#include <functional>

namespace vornela {

// The platform's first-run window, 640 points wide: created on first presentation, then reused.
// It reports what the user and the desktop do with it through the callbacks its controller
// installs.
class OnboardingWindow {
public:
    virtual ~OnboardingWindow() = default;

    // A new showing: fresh content on `page`, the window `height` high (created centred the
    // first time), brought to the front; it tries to become key.
    virtual void present(int page, double height) = 0;
    // The page changed: the window becomes `height` high while its top edge stays where it is.
    virtual void resize(int page, double height, bool animated) = 0;
    virtual void close() = 0;
    virtual bool isVisible() const = 0;

    // The window became the key window.
    std::function<void()> onDidBecomeKey;
    // The user pressed the close button: true lets the window close.
    std::function<bool()> onShouldClose;
    std::function<void()> onWillClose;
};

} // namespace vornela
