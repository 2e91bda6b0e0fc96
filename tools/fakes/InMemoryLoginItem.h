#pragma once

#include "core/app/LoginItemPort.h"

namespace vornela::fakes {

// Starting at login as a flag; `refusal` makes the next changes fail with that text.
struct InMemoryLoginItem final : LoginItemPort {
    bool isEnabled() const override { return enabled; }
    std::string setEnabled(bool on) override {
        ++changes;
        if (!refusal.empty())
            return refusal;
        enabled = on;
        return {};
    }

    bool enabled = false;
    int changes = 0;
    std::string refusal;
};

} // namespace vornela::fakes
