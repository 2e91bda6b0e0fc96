#pragma once

#include "core/base/Result.h"

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace vornela {

struct PreferencesLoad {
    enum class Status {
        loaded,     // the stored object
        missing,    // nothing stored yet: start from defaults
        setAside,   // it did not parse; it was moved aside and kept, start from defaults
        unreadable, // it exists but cannot be read: start from defaults and never write over it
        unparsable  // it did not parse and was left where it is (it may be in the middle of an edit)
    };
    Status status = Status::missing;
    nlohmann::json values = nlohmann::json::object();
    std::string message; // what happened, for the user, when status is not loaded/missing
};

// What a stored object that does not parse becomes on load.
enum class BadStoredObject { setAside, leaveInPlace };

// A cheap look at the stored object without reading it: equal stamps mean nothing changed.
struct PreferencesStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNanos = 0;
    bool operator==(const PreferencesStamp&) const = default;
};

// Where the preferences live. Saves are whole-object and durable: after a crash at any moment
// the backend holds the previous or the new object, never a mix.
class PreferencesBackend {
public:
    virtual ~PreferencesBackend() = default;
    virtual PreferencesLoad load(BadStoredObject bad) = 0;
    PreferencesLoad load() { return load(BadStoredObject::setAside); }
    // Fails, saying why, when the object could not be stored.
    virtual Result<void> save(const nlohmann::json& values) = 0;
    // The stored object as it is now.
    virtual PreferencesStamp stamp() const = 0;
    // True when someone else changed the stored object since this backend last loaded or saved it.
    virtual bool changedOutside() const = 0;
};

} // namespace vornela
