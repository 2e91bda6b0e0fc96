#include "core/app/UpdaterManager.h"

#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <algorithm>
#include <utility>

namespace vornela {

UpdaterManager::UpdaterManager(Setup setup, std::optional<Services> services)
    : setup_(std::move(setup)), services_(std::move(services)) {
    // Without a feed there is nothing to plan, and the package database is left unread until the
    // settings window asks why.
    if (setup_.feed.empty() || !services_ || !hasOwnUpdater())
        return;
    // A machine that slept past the due time checks as soon as it wakes.
    wakes_ = services_->center.observe(notifications::didWake, [this] { scheduleCheck(); });
    setUp_ = services_->preferences.observe(keys::hasCompletedOnboarding.name, [this] { scheduleCheck(); });
    scheduleCheck();
}

UpdaterManager::~UpdaterManager() {
    if (services_ && phase_ != Phase::idle)
        services_->transport.cancel();
}

bool UpdaterManager::hasOwnUpdater() const {
    return unavailableReason().empty();
}

std::string UpdaterManager::unavailableReason() const {
    if (!ownedByPackageManager_)
        ownedByPackageManager_ = setup_.ownedByPackageManager && setup_.ownedByPackageManager();
    // The package manager would put back whatever an updater of ours replaced.
    if (*ownedByPackageManager_)
        return "Updates come from the system's package manager";
    if (setup_.feed.empty())
        return "This build has no update feed";
    if (!services_)
        return "This version of Vornela cannot update itself";
    return {};
}

bool UpdaterManager::canCheckForUpdates() const {
    return hasOwnUpdater() && phase_ == Phase::idle;
}

bool UpdaterManager::automaticallyChecksForUpdates() const {
    return hasOwnUpdater() && services_->preferences.read(keys::automaticallyChecksForUpdates);
}

void UpdaterManager::setAutomaticallyChecksForUpdates(bool on) {
    if (!hasOwnUpdater())
        return;
    services_->preferences.write(keys::automaticallyChecksForUpdates, on);
    scheduleCheck();
    changed.emit();
}

bool UpdaterManager::automaticallyDownloadsUpdates() const {
    return hasOwnUpdater() && services_->preferences.read(keys::automaticallyDownloadsUpdates);
}

void UpdaterManager::setAutomaticallyDownloadsUpdates(bool on) {
    if (!hasOwnUpdater())
        return;
    services_->preferences.write(keys::automaticallyDownloadsUpdates, on);
    changed.emit();
}

std::optional<double> UpdaterManager::nextCheck() const {
    return checkTask_.isPending() ? due_ : std::nullopt;
}

void UpdaterManager::scheduleCheck() {
    checkTask_.cancel();
    // Once a new version is in place there is nothing more to look for until it starts.
    if (!automaticallyChecksForUpdates() || phase_ == Phase::installed)
        return;
    // No offer over a first run's onboarding: the day's check waits until setup is done.
    if (!services_->preferences.read(keys::hasCompletedOnboarding))
        return;
    const double now = services_->clock.wallNow();
    // A last check in the future means the clock was set back: count the day from now.
    const double last = std::min(services_->preferences.read(keys::lastUpdateCheckTime), now);
    due_ = last + checkInterval;
    checkTask_ = services_->scheduler.at(ClockKind::wall, *due_, [this] {
        // One already running plans the next when it ends.
        if (phase_ == Phase::idle)
            check(false);
    });
}

void UpdaterManager::checkForUpdates() {
    if (canCheckForUpdates())
        check(true);
}

void UpdaterManager::check(bool userStarted) {
    checkTask_.cancel();
    status_ = userStarted ? "Checking for updates…" : std::string();
    setPhase(Phase::checking);
    services_->transport.fetchFeed(setup_.feed, [this, userStarted](Result<std::string> feed) {
        feedArrived(userStarted, std::move(feed));
    });
}

void UpdaterManager::feedArrived(bool userStarted, Result<std::string> feed) {
    // Failed or not, the next automatic check is a day away: a broken feed is not asked every minute.
    services_->preferences.write(keys::lastUpdateCheckTime, services_->clock.wallNow());
    scheduleCheck();
    if (!feed)
        return finish(userStarted, feed.error());
    auto releases = UpdateFeed::parse(feed.value());
    if (!releases)
        return finish(userStarted, releases.error());
    // Asked for, the skipped version is shown again: the user may have changed their mind.
    const std::string skipped = userStarted ? "" : services_->preferences.read(keys::skippedUpdateVersion);
    auto release = UpdateFeed::pick(releases.value(), setup_.version, skipped);
    if (!release)
        return finish(userStarted,
                      "You're up to date: Vornela " + setup_.version + " is the newest version.");
    if (!userStarted && automaticallyDownloadsUpdates())
        return download(*release, false);
    finish(userStarted, "Vornela " + release->version + " is available.");
    offered_ = *release;
    offer.emit(*release);
}

void UpdaterManager::installUpdate() {
    if (!offered_ || phase_ != Phase::idle)
        return;
    const UpdateRelease release = *std::exchange(offered_, std::nullopt);
    download(release, true);
}

void UpdaterManager::remindLater() {
    offered_.reset();
}

void UpdaterManager::skipThisVersion() {
    if (!offered_)
        return;
    services_->preferences.write(keys::skippedUpdateVersion, offered_->version);
    offered_.reset();
}

void UpdaterManager::restartToUpdate() {
    if (phase_ == Phase::installed)
        services_->installer.restart();
}

void UpdaterManager::download(const UpdateRelease& release, bool userStarted) {
    progress_ = 0;
    status_ = userStarted ? "Downloading Vornela " + release.version + "…" : std::string();
    setPhase(Phase::downloading);
    services_->transport.download(
        release,
        [this](double fraction) {
            progress_ = std::clamp(fraction, 0.0, 1.0);
            changed.emit();
        },
        [this, release, userStarted](Result<std::string> archive) {
            if (!archive)
                return finish(userStarted, archive.error());
            if (auto installed = services_->installer.install(archive.value(), release); !installed)
                return finish(userStarted, installed.error());
            status_ = "Vornela " + release.version + " is installed. Restart Vornela to use it.";
            setPhase(Phase::installed);
        });
}

void UpdaterManager::finish(bool userStarted, std::string status) {
    // A background failure stays quiet and tries again at the next daily check.
    status_ = userStarted ? std::move(status) : std::string();
    setPhase(Phase::idle);
    scheduleCheck();
}

void UpdaterManager::setPhase(Phase phase) {
    phase_ = phase;
    changed.emit();
}

} // namespace vornela
