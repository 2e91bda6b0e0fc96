#pragma once

#include "core/base/Result.h"
#include "core/base/Scheduler.h"
#include "core/base/Signal.h"
#include "core/store/PreferenceKey.h"
#include "core/store/PreferencesBackend.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace vornela {

// The one persistent store. Reads come from memory; a write is visible to the next read at once
// and reaches the backend at the end of the current turn (a task posted on the scheduler), or
// earlier through flush(). Every key of PreferenceKeys.h is registered at construction, so a raw
// read of an unset key yields its default.
class PreferencesStore {
public:
    PreferencesStore(PreferencesBackend& backend, Scheduler& scheduler);
    ~PreferencesStore(); // flushes pending writes
    PreferencesStore(const PreferencesStore&) = delete;
    PreferencesStore& operator=(const PreferencesStore&) = delete;

    // Registration: what a raw read of `name` yields while nothing is stored. Harmless to repeat.
    void registerDefault(std::string_view name, nlohmann::json value);
    template <class T> void registerKey(const PreferenceKey<T>& key) {
        registerDefault(key.name, encodePreference(key.defaultValue));
    }

    // The stored value when present and of the key's type, else the key's default.
    template <class T> T read(const PreferenceKey<T>& key) const {
        if (const auto* stored = storedValue(key.name)) {
            if (auto value = decodePreference<T>(*stored))
                return *value;
        }
        return key.defaultValue;
    }
    template <class T> void write(const PreferenceKey<T>& key, const T& value) {
        setValue(key.name, encodePreference(value));
    }

    // The stored value, else the registered default, else null.
    nlohmann::json rawValue(std::string_view name) const;
    const nlohmann::json* storedValue(std::string_view name) const;
    const nlohmann::json& storedValues() const { return values_; }

    // Stores a raw value (null removes the key); observers of the key hear of a change.
    void setValue(std::string_view name, nlohmann::json value);
    void remove(std::string_view name) { setValue(name, nullptr); }

    // Called after every change of the key's stored value (including outside edits).
    [[nodiscard]] Subscription observe(std::string_view name, std::function<void()> observer);

    // Writes pending changes now (at exit, before suspend). An outside change not read yet is
    // read first, so it is merged, never written over. Returns false when the backend refused;
    // the changes stay pending and saveFailed() has told observers why.
    bool flush();
    bool hasPendingChanges() const { return dirty_; }
    // Re-reads the backend after an outside edit and notifies each changed key's observers.
    void reload();
    // The stored object was changed from outside (the file watcher saw it). It is read once it
    // has been quiet for `settleSeconds`; one that does not parse or is gone then is taken as
    // final only when it stays so for `brokenGraceSeconds`. Saves wait meanwhile.
    void outsideChange();
    static constexpr double settleSeconds = 0.5;
    static constexpr double brokenGraceSeconds = 10;

    // How the store was loaded at construction (or the last reload).
    const PreferencesLoad& lastLoad() const { return lastLoad_; }
    [[nodiscard]] Subscription onSaveFailed(std::function<void(const std::string&)> observer);
    // A reload that set the stored object aside or found it unreadable, with the message.
    [[nodiscard]] Subscription onLoadProblem(std::function<void(const std::string&)> observer);

private:
    // Hands memory to the backend, unless that would write over a file that could not be read.
    Result<void> save();
    // The end-of-turn save: waits while an outside change settles.
    void flushSoon();
    void settle();
    void apply(PreferencesLoad load);
    void markDirty();
    void notify(const std::string& name);
    // Replaces memory with `values`, then tells each changed key's observers.
    void replaceValues(nlohmann::json values);

    PreferencesBackend& backend_;
    Scheduler& scheduler_;
    nlohmann::json values_ = nlohmann::json::object();
    std::map<std::string, nlohmann::json, std::less<>> defaults_;
    std::map<std::string, std::unique_ptr<Signal<>>, std::less<>> observers_;
    Signal<std::string> saveFailed_;
    Signal<std::string> loadProblem_;
    PreferencesLoad lastLoad_;
    TaskHandle flushTask_;
    TaskHandle settleTask_;
    // While an outside change settles: the stamp last seen, and the one found broken.
    bool outsideChangePending_ = false;
    PreferencesStamp settleStamp_;
    std::optional<PreferencesStamp> brokenStamp_;
    // Keys written since the last successful save: a reload keeps our value for these.
    std::set<std::string, std::less<>> unsaved_;
    bool dirty_ = false;
    bool saveDisabled_ = false;
};

} // namespace vornela
