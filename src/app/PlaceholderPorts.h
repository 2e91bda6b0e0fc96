#pragma once

#include "core/app/LoginItemPort.h"
#include "core/app/UpdaterPort.h"

namespace vornela {

// Until this build is packaged with an update feed and a login entry, the settings window shows
// their controls off and says why. Replaced by the installers' real ports.
class NoUpdater : public UpdaterPort {
public:
    bool canCheckForUpdates() const override { return false; }
    void checkForUpdates() override {}
    bool hasOwnUpdater() const override { return false; }
    std::string unavailableReason() const override { return "This build has no update feed."; }
    bool automaticallyChecksForUpdates() const override { return false; }
    void setAutomaticallyChecksForUpdates(bool) override {}
    bool automaticallyDownloadsUpdates() const override { return false; }
    void setAutomaticallyDownloadsUpdates(bool) override {}
};

class NoLoginItem : public LoginItemPort {
public:
    bool isEnabled() const override { return false; }
    std::string setEnabled(bool enabled) override {
        return enabled ? "Starting at login is set up by the installed package; this build has none." : "";
    }
};

} // namespace vornela
