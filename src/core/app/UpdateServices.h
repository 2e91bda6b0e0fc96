#pragma once

#include "core/app/UpdateFeed.h"
#include "core/base/Result.h"

#include <functional>
#include <string>

namespace vornela {

// The network side of updating. Each `done` runs exactly once, later, on the main thread, unless
// `cancel` came first.
class UpdateTransport {
public:
    virtual ~UpdateTransport() = default;
    using Done = std::function<void(Result<std::string>)>;

    // The feed's text.
    virtual void fetchFeed(const std::string& address, Done done) = 0;
    // The release's archive saved to a file: `done` gets its path. `progress` runs with 0…1.
    virtual void download(const UpdateRelease& release, std::function<void(double)> progress, Done done) = 0;
    virtual void cancel() = 0;
};

// The disk side: nothing of the running install changes unless every step succeeds.
class UpdateInstaller {
public:
    virtual ~UpdateInstaller() = default;
    // Checks the archive's length and signature against the release, unpacks it into a new
    // folder beside the running install and switches over to it.
    virtual Result<void> install(const std::string& archive, const UpdateRelease& release) = 0;
    // Starts the version installed last and ends this one.
    virtual void restart() = 0;
};

// How this install is updated, as the desktop finds it. Without a transport and an installer the
// updater only says why it is off.
struct UpdatePorts {
    // Asked once, when first needed: looking through the package database takes a moment.
    std::function<bool()> ownedByPackageManager;
    // Empty in a build that has none (or has no key to check it).
    std::string feed;
    std::string version;
    UpdateTransport* transport = nullptr;
    UpdateInstaller* installer = nullptr;
};

} // namespace vornela
