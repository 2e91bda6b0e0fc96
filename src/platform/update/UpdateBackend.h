#pragma once

#include "core/app/UpdateServices.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace vornela {

// What a home install updates itself with: the network and the disk side, from the updater's
// module. Loaded only by an install that can update itself.
class UpdateBackend {
public:
    virtual ~UpdateBackend() = default;
    virtual UpdateTransport& transport() = 0;
    virtual UpdateInstaller& installer() = 0;
    // This version is up: the one an update replaced is no longer needed.
    virtual void startedOnce() = 0;
};

struct UpdateBackendSetup {
    QString binary;
    QString version;
    QByteArray publicKey;
    // Starts the program at this path and ends the running one.
    std::function<void(const QString&)> relaunch;
};

// The module's one entry point: null when this install has no folder to update into.
using CreateUpdateBackend = UpdateBackend* (*)(const UpdateBackendSetup&);
inline constexpr char createUpdateBackendSymbol[] = "vornelaCreateUpdateBackend";

// Loads the module from `path`. Null, and said on stderr, when it is missing or refuses.
std::unique_ptr<UpdateBackend> loadUpdateBackend(const QString& path, const UpdateBackendSetup& setup);

} // namespace vornela
