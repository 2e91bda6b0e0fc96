#pragma once

#include <cstdlib>
#include <memory>

namespace vornela {

// xcb hands out replies, events and errors from malloc; the caller frees them.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// Owns one of them: `XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(...))`.
template <class T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

} // namespace vornela
