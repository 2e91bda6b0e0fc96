#pragma once

#include <memory>

struct xcb_connection_t;

namespace vornela {

struct XcbDisconnect {
    void operator()(xcb_connection_t* connection) const;
};

// A connection of our own to the X server, closed by its owner.
using XcbConnection = std::unique_ptr<xcb_connection_t, XcbDisconnect>;

} // namespace vornela
