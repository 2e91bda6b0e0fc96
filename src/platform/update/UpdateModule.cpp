#include "platform/update/NetworkUpdateTransport.h"
#include "platform/update/ReleaseInstaller.h"
#include "platform/update/UpdateBackend.h"

namespace vornela {
namespace {

class ModuleBackend final : public UpdateBackend {
public:
    ModuleBackend(const ReleaseInstaller::Layout& layout, const UpdateBackendSetup& setup)
        : transport_(NetworkUpdateTransport::Options{layout.releases() + QStringLiteral("/.downloads")}),
          installer_(layout, setup.publicKey, setup.relaunch) {}

    UpdateTransport& transport() override { return transport_; }
    UpdateInstaller& installer() override { return installer_; }
    void startedOnce() override { installer_.startedOnce(); }

private:
    NetworkUpdateTransport transport_;
    ReleaseInstaller installer_;
};

} // namespace
} // namespace vornela

extern "C" __attribute__((visibility("default"))) vornela::UpdateBackend*
vornelaCreateUpdateBackend(const vornela::UpdateBackendSetup& setup) {
    const auto layout = vornela::ReleaseInstaller::layoutFor(setup.binary, setup.version);
    return layout ? new vornela::ModuleBackend(*layout, setup) : nullptr;
}
