#pragma once

#include "core/store/PreferencesBackend.h"

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace vornela {

// Preferences kept in memory, for tests and the simulator.
class InMemoryPreferencesBackend final : public PreferencesBackend {
public:
    InMemoryPreferencesBackend() = default;
    explicit InMemoryPreferencesBackend(nlohmann::json values);

    using PreferencesBackend::load;
    PreferencesLoad load(BadStoredObject bad) override;
    Result<void> save(const nlohmann::json& values) override;
    PreferencesStamp stamp() const override;
    bool changedOutside() const override { return revision_ != known_; }

    // Replaces what is stored, as an outside edit would. Anything but an object, or one nested
    // deeper than a file may be, stands for a file that does not parse: the next load sets it aside.
    void setValues(nlohmann::json values);
    // Forgets everything, as deleting the file would: the next load reports `missing`.
    void clear();
    const nlohmann::json& values() const { return values_; }
    // Successful saves so far.
    int saveCount() const { return saveCount_; }
    // The next `count` saves fail with `message`.
    void failNextSaves(int count, std::string message);

private:
    nlohmann::json values_ = nlohmann::json::object();
    int saveCount_ = 0;
    bool stored_ = false;
    int failuresLeft_ = 0;
    // Bumped by every change; `known_` is the revision last loaded or saved.
    std::int64_t revision_ = 0;
    std::int64_t known_ = 0;
    std::string failureMessage_;
};

} // namespace vornela
