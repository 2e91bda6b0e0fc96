#pragma once

namespace vornela {

// The settings window, built by the desktop.
class SettingsWindowPort {
public:
    virtual ~SettingsWindowPort() = default;
    // Creates the window if needed, brings it to the front and activates the application.
    virtual void show() = 0;
    virtual bool isVisible() const = 0;
};

} // namespace vornela
