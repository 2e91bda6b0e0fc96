#pragma once

#include "core/app/UpdateServices.h"
#include "core/app/UpdaterPort.h"
#include "core/base/Clock.h"
#include "core/base/NotificationCenter.h"
#include "core/base/Scheduler.h"
#include "core/store/PreferenceKey.h"

#include <functional>
#include <optional>
#include <string>

namespace vornela {

class PreferencesStore;

// How this Vornela is kept up to date. A package-manager install is updated by the system, a
// build without a feed cannot update itself: both keep the controls off and say why. A home
// install with a feed checks once a day, offers newer releases and installs them.
class UpdaterManager final : public UpdaterPort {
public:
    struct Setup {
        // Asked once, when first needed: looking through the package database takes a moment.
        std::function<bool()> ownedByPackageManager;
        // The update feed's address; empty in a build that has none (or has no key to check it).
        std::string feed;
        // The running version: nothing at or below it is offered.
        std::string version;
    };
    // What a real updater works with; without them the updater only says why it is off.
    struct Services {
        PreferencesStore& preferences;
        Scheduler& scheduler;
        const Clock& clock;
        NotificationCenter& center;
        UpdateTransport& transport;
        UpdateInstaller& installer;
    };

    static constexpr double checkInterval = 24 * 60 * 60;

    explicit UpdaterManager(Setup setup, std::optional<Services> services = std::nullopt);
    ~UpdaterManager() override;

    bool canCheckForUpdates() const override;
    void checkForUpdates() override;
    bool hasOwnUpdater() const override;
    std::string unavailableReason() const override;

    // Without an updater of its own there is nothing for the switches to change.
    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool on) override;
    bool automaticallyDownloadsUpdates() const override;
    void setAutomaticallyDownloadsUpdates(bool on) override;

    std::string statusText() const override { return status_; }
    double downloadProgress() const override { return phase_ == Phase::downloading ? progress_ : -1; }
    bool readyToRestart() const override { return phase_ == Phase::installed; }

    void installUpdate() override;
    void remindLater() override;
    void skipThisVersion() override;
    void restartToUpdate() override;

    // The release shown to the user, until they answer.
    const std::optional<UpdateRelease>& offered() const { return offered_; }
    // When the next automatic check is due (wall seconds), if one is planned.
    std::optional<double> nextCheck() const;

private:
    enum class Phase { idle, checking, downloading, installed };

    void scheduleCheck();
    void check(bool userStarted);
    void feedArrived(bool userStarted, Result<std::string> feed);
    void download(const UpdateRelease& release, bool userStarted);
    // A user-started step says how it went; a background one stays quiet.
    void finish(bool userStarted, std::string status);
    void setPhase(Phase phase);

    Setup setup_;
    std::optional<Services> services_;
    mutable std::optional<bool> ownedByPackageManager_;
    Phase phase_ = Phase::idle;
    double progress_ = 0;
    std::string status_;
    std::optional<UpdateRelease> offered_;
    std::optional<double> due_;
    TaskHandle checkTask_;
    Subscription wakes_;
    Subscription setUp_;
};

namespace keys {
inline const PreferenceKey<bool> automaticallyChecksForUpdates{"automaticallyChecksForUpdates", true};
inline const PreferenceKey<bool> automaticallyDownloadsUpdates{"automaticallyDownloadsUpdates", false};
// Wall seconds of the last automatic or user-started check, whichever way it went.
inline const PreferenceKey<double> lastUpdateCheckTime{"lastUpdateCheckTime", 0.0};
inline const PreferenceKey<std::string> skippedUpdateVersion{"skippedUpdateVersion", ""};
} // namespace keys

} // namespace vornela
