#pragma once

#include "core/app/SettingsWindowPort.h"
#include "ui/settings/SettingsServices.h"

#include <functional>
#include <memory>
#include <optional>

namespace vornela {

class ApplicationHost;
class SettingsWindow;

// The settings window as the core asks for it: built on the first request from services that
// exist only once the core does, then reused.
class SettingsWindowHost : public SettingsWindowPort {
public:
    explicit SettingsWindowHost(ApplicationHost& host);
    ~SettingsWindowHost() override;

    // Called once the core is built, before anything can ask for the window.
    void setServices(std::function<SettingsServices()> services) { services_ = std::move(services); }

    void show() override;
    bool isVisible() const override;
    SettingsWindow* window() const { return window_.get(); }
    // Before the core goes: the window refers to its models.
    void destroyWindow();

private:
    ApplicationHost& host_;
    std::function<SettingsServices()> services_;
    std::unique_ptr<SettingsWindow> window_;
};

} // namespace vornela
