#include "app/SettingsWindowHost.h"

#include "core/app/ApplicationHost.h"
#include "ui/settings/SettingsWindow.h"

namespace vornela {

SettingsWindowHost::SettingsWindowHost(ApplicationHost& host) : host_(host) {}

SettingsWindowHost::~SettingsWindowHost() = default;

void SettingsWindowHost::show() {
    if (!window_) {
        if (!services_)
            return;
        window_ = std::make_unique<SettingsWindow>(services_());
    }
    window_->present();
    host_.activate();
}

void SettingsWindowHost::destroyWindow() {
    window_.reset();
}

bool SettingsWindowHost::isVisible() const {
    return window_ && window_->isVisible();
}

} // namespace vornela
