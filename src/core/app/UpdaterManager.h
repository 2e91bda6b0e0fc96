#pragma once

#include "core/app/UpdaterPort.h"

#include <functional>
#include <optional>
#include <string>

namespace vornela {

// How this Vornela is kept up to date. A package-manager install is updated by the system, a
// build without a feed cannot update itself: both keep the controls off and say why.
class UpdaterManager final : public UpdaterPort {
public:
    struct Setup {
        // Asked once, when first needed: looking through the package database takes a moment.
        std::function<bool()> ownedByPackageManager;
        // The update feed's address; empty in a build that has none.
        std::string feed;
    };

    explicit UpdaterManager(Setup setup);

    bool canCheckForUpdates() const override { return false; }
    void checkForUpdates() override {}
    bool hasOwnUpdater() const override { return false; }
    std::string unavailableReason() const override;

    // Without an updater of its own there is nothing for the switches to change.
    bool automaticallyChecksForUpdates() const override { return false; }
    void setAutomaticallyChecksForUpdates(bool) override {}
    bool automaticallyDownloadsUpdates() const override { return false; }
    void setAutomaticallyDownloadsUpdates(bool) override {}

private:
    Setup setup_;
    mutable std::optional<bool> ownedByPackageManager_;
};

} // namespace vornela
