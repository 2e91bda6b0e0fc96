#include "platform/xcb/XcbConnection.h"

#include <xcb/xcb.h>

namespace vornela {

void XcbDisconnect::operator()(xcb_connection_t* connection) const {
    // xcb_connect never returns null, even on failure: that object needs the same call.
    xcb_disconnect(connection);
}

} // namespace vornela
