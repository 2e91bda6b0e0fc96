#pragma once

#include "core/base/Result.h"

#include <string>

#include <nlohmann/json.hpp>

namespace vornela {

struct PreferencesLoad {
    enum class Status {
        loaded,    // the stored object
        missing,   // nothing stored yet: start from defaults
        setAside,  // it did not parse; it was moved aside and kept, start from defaults
        unreadable // it exists but cannot be read: start from defaults and never write over it
    };
    Status status = Status::missing;
    nlohmann::json values = nlohmann::json::object();
    std::string message; // what happened, for the user, when status is not loaded/missing
};

// Where the preferences live. Saves are whole-object and durable: after a crash at any moment
// the backend holds the previous or the new object, never a mix.
class PreferencesBackend {
public:
    virtual ~PreferencesBackend() = default;
    virtual PreferencesLoad load() = 0;
    // Fails, saying why, when the object could not be stored.
    virtual Result<void> save(const nlohmann::json& values) = 0;
};

} // namespace vornela
