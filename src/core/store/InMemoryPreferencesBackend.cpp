#include "core/store/InMemoryPreferencesBackend.h"

#include "core/store/PreferencesText.h"

#include <utility>

namespace vornela {

InMemoryPreferencesBackend::InMemoryPreferencesBackend(nlohmann::json values) {
    setValues(std::move(values));
}

PreferencesLoad InMemoryPreferencesBackend::load(BadStoredObject bad) {
    PreferencesLoad result;
    const bool parses = values_.is_object() && !nestsDeeperThan(values_, maximumPreferencesDepth);
    if (!parses && bad == BadStoredObject::leaveInPlace) {
        result.status = PreferencesLoad::Status::unparsable;
        result.message = "The stored preferences do not parse.";
        return result;
    }
    known_ = revision_;
    if (!parses) {
        result.status = PreferencesLoad::Status::setAside;
        result.message = "The stored preferences did not parse; they were set aside.";
        values_ = nlohmann::json::object();
        stored_ = false;
        known_ = ++revision_;
        return result;
    }
    if (!stored_ && values_.empty()) {
        result.status = PreferencesLoad::Status::missing;
        return result;
    }
    result.status = PreferencesLoad::Status::loaded;
    result.values = values_;
    return result;
}

Result<void> InMemoryPreferencesBackend::save(const nlohmann::json& values) {
    if (failuresLeft_ > 0) {
        --failuresLeft_;
        return Failure{failureMessage_};
    }
    values_ = values;
    stored_ = true;
    ++saveCount_;
    known_ = ++revision_;
    return {};
}

PreferencesStamp InMemoryPreferencesBackend::stamp() const {
    PreferencesStamp stamp;
    stamp.exists = stored_;
    stamp.size = revision_;
    return stamp;
}

void InMemoryPreferencesBackend::setValues(nlohmann::json values) {
    values_ = std::move(values);
    stored_ = true;
    ++revision_;
}

void InMemoryPreferencesBackend::clear() {
    values_ = nlohmann::json::object();
    stored_ = false;
    ++revision_;
}

void InMemoryPreferencesBackend::failNextSaves(int count, std::string message) {
    failuresLeft_ = count;
    failureMessage_ = std::move(message);
}

} // namespace vornela
