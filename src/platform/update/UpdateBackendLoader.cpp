#include "platform/update/UpdateBackend.h"

#include <QLibrary>

#include <cstdio>

namespace vornela {

std::unique_ptr<UpdateBackend> loadUpdateBackend(const QString& path, const UpdateBackendSetup& setup) {
    // Kept loaded for the rest of the run: the backend's code lives in it.
    QLibrary module(path);
    auto create = reinterpret_cast<CreateUpdateBackend>(module.resolve(createUpdateBackendSymbol));
    if (!create) {
        std::fprintf(stderr, "vornela: updates are off: %s\n", qPrintable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<UpdateBackend>(create(setup));
}

} // namespace vornela
