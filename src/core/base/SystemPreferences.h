#pragma once

#include "core/base/Observable.h"

namespace vornela {

// The user's accessibility and appearance preferences, kept current by the platform.
struct SystemPreferences {
    Observable<bool> reduceMotion{false};
    Observable<bool> darkAppearance{true};
};

} // namespace vornela
