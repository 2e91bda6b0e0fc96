#pragma once

#include "core/app/ApplicationHost.h"

namespace vornela {

// Linux has no dock or application menu bar, so the policy is only remembered; activation
// raises the application's own window.
class QtApplicationHost : public ApplicationHost {
public:
    void setActivationPolicy(ActivationPolicy policy) override { policy_ = policy; }
    ActivationPolicy activationPolicy() const { return policy_; }
    // Raises and activates the active window, else a visible top-level window that takes focus.
    void activate() override;
    // Quits once the current work is done.
    void terminate() override;

private:
    ActivationPolicy policy_ = ActivationPolicy::accessory;
};

} // namespace vornela
