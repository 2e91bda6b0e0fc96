#pragma once

#include "core/app/UpdateFeed.h"
#include "core/base/Signal.h"

#include <string>

namespace vornela {

// How Vornela is kept up to date, as the settings window and the update dialog see it. A
// package-manager install and a build without a feed both answer with the controls off and a
// line saying why.
class UpdaterPort {
public:
    virtual ~UpdaterPort() = default;

    // False while a check or a download runs, and when this install has no updater of its own.
    virtual bool canCheckForUpdates() const = 0;
    // User-started: a failure is said, never silent.
    virtual void checkForUpdates() = 0;

    // Whether the two switches apply to this install at all.
    virtual bool hasOwnUpdater() const = 0;
    // Why the controls are off ("This build has no update feed", the package manager), or empty.
    virtual std::string unavailableReason() const = 0;

    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool on) = 0;
    virtual bool automaticallyDownloadsUpdates() const = 0;
    virtual void setAutomaticallyDownloadsUpdates(bool on) = 0;

    // What a user-started check or install last came to ("Downloading…", why it failed), or empty.
    virtual std::string statusText() const { return {}; }
    // 0…1 while an archive downloads, below 0 otherwise.
    virtual double downloadProgress() const { return -1; }
    // The new version is in place; restarting starts it.
    virtual bool readyToRestart() const { return false; }

    // Answers to `offer`.
    virtual void installUpdate() {}
    virtual void remindLater() {}
    virtual void skipThisVersion() {}
    virtual void restartToUpdate() {}

    // Any of the above changed.
    Signal<> changed;
    // A newer release for the user to decide on: Install, Later or Skip This Version.
    Signal<UpdateRelease> offer;
};

} // namespace vornela
