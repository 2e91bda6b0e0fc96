#include "core/app/UpdaterManager.h"

namespace vornela {

UpdaterManager::UpdaterManager(Setup setup) : setup_(std::move(setup)) {}

std::string UpdaterManager::unavailableReason() const {
    if (!ownedByPackageManager_)
        ownedByPackageManager_ = setup_.ownedByPackageManager && setup_.ownedByPackageManager();
    // The package manager would put back whatever an updater of ours replaced.
    if (*ownedByPackageManager_)
        return "Updates come from the system's package manager";
    if (setup_.feed.empty())
        return "This build has no update feed";
    return "This version of Vornela cannot update itself";
}

} // namespace vornela
