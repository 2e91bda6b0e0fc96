#include "ui/base/SameThreadFills.h"

#include <QThreadPool>

#include <dlfcn.h>

namespace vornela {

namespace {
thread_local int depth = 0;
}

SameThreadFills::SameThreadFills() {
    ++depth;
}

SameThreadFills::~SameThreadFills() {
    --depth;
}

bool SameThreadFills::active() {
    return depth > 0;
}

} // namespace vornela

// Qt's fill code asks for the global pool and fills in place when there is none; everyone else
// gets the pool from QtCore as before. Linked into the executable, this definition comes first.
QThreadPool* QThreadPool::globalInstance() {
    if (vornela::SameThreadFills::active())
        return nullptr;
    using GlobalInstance = QThreadPool* (*)();
    static const auto next = [] {
        constexpr const char* name = "_ZN11QThreadPool14globalInstanceEv";
        void* found = dlvsym(RTLD_NEXT, name, "Qt_6");
        return reinterpret_cast<GlobalInstance>(found ? found : dlsym(RTLD_NEXT, name));
    }();
    return next();
}
