#pragma once

#include <string>

namespace vornela {

// Starting Vornela when the user logs in. The state is read back from the desktop each time, so a
// user who removed the entry by hand sees it off.
class LoginItemPort {
public:
    virtual ~LoginItemPort() = default;

    virtual bool isEnabled() const = 0;
    // Empty on success; otherwise why the change could not be made.
    virtual std::string setEnabled(bool enabled) = 0;
};

} // namespace vornela
