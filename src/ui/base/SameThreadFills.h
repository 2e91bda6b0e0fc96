#pragma once

namespace vornela {

// While one is alive on a thread, Qt's raster engine fills on that thread instead of splitting
// each fill across its global thread pool. For surfaces the size of ours the hand-offs cost more
// than the fill itself (a dashboard frame takes twice as long), and the pool's threads stay
// around for half a minute after every animation. Scoped to our own painting only.
class SameThreadFills {
public:
    SameThreadFills();
    ~SameThreadFills();
    SameThreadFills(const SameThreadFills&) = delete;
    SameThreadFills& operator=(const SameThreadFills&) = delete;

    static bool active();
};

} // namespace vornela
