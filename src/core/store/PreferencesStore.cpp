#include "core/store/PreferencesStore.h"

#include "core/nudges/NudgeKindID.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesText.h"

#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace vornela {

using nlohmann::json;

namespace {

// JSON has no NaN or infinity: such a value would reach the file as null.
bool holdsNonFinite(const json& value) {
    if (value.is_number_float())
        return !std::isfinite(value.get<double>());
    if (value.is_array() || value.is_object()) {
        for (const auto& element : value) {
            if (holdsNonFinite(element))
                return true;
        }
    }
    return false;
}

} // namespace

PreferencesStore::PreferencesStore(PreferencesBackend& backend, Scheduler& scheduler)
    : backend_(backend), scheduler_(scheduler) {
    lastLoad_ = backend_.load();
    if (lastLoad_.status == PreferencesLoad::Status::loaded && lastLoad_.values.is_object())
        values_ = lastLoad_.values;
    saveDisabled_ = lastLoad_.status == PreferencesLoad::Status::unreadable;

    registerKey(keys::remindersEnabled);
    registerKey(keys::nudgeDisplayDuration);
    registerKey(keys::backgroundColorHex);
    registerKey(keys::hasCompletedOnboarding);
    registerKey(keys::launchTimeMinutes);
    registerKey(keys::nudgeIntervalsMigratedGoalSync);
    registerKey(keys::legacyWaterGoalDefaultMigrated);
    registerKey(keys::waterIntakeDay);
    registerKey(keys::waterIntakeML);
    registerKey(keys::waterGoalML);
    registerKey(keys::breaksGoalDaily);
    registerKey(keys::movementGoalDaily);
    registerKey(keys::nudgeCompletionsDay);
    registerKey(keys::nudgeShownDay);
    registerKey(keys::actionTimestampsDay);
    registerKey(keys::actionTimestamps);
    registerKey(keys::dailyBalanceHistory);
    for (auto kind : allNudgeKinds) {
        registerKey(keys::nudgeEnabled(kind));
        registerKey(keys::nudgeInterval(kind));
        registerKey(keys::nudgeCompletions(kind));
        registerKey(keys::nudgeShown(kind));
    }
}

PreferencesStore::~PreferencesStore() {
    flush();
}

void PreferencesStore::registerDefault(std::string_view name, json value) {
    defaults_.insert_or_assign(std::string(name), std::move(value));
}

json PreferencesStore::rawValue(std::string_view name) const {
    if (const auto* stored = storedValue(name))
        return *stored;
    if (const auto it = defaults_.find(name); it != defaults_.end())
        return it->second;
    return nullptr;
}

const json* PreferencesStore::storedValue(std::string_view name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? nullptr : &*it;
}

void PreferencesStore::setValue(std::string_view name, json value) {
    // Neither could be written and read back as it is.
    if (nestsDeeperThan(value, maximumPreferencesDepth - 1) || holdsNonFinite(value))
        return;
    std::string key(name);
    const auto it = values_.find(key);
    if (value.is_null()) {
        if (it == values_.end())
            return;
        values_.erase(it);
    } else {
        if (it != values_.end() && *it == value)
            return;
        values_[key] = std::move(value);
    }
    unsaved_.insert(key);
    markDirty();
    notify(key);
}

Subscription PreferencesStore::observe(std::string_view name, std::function<void()> observer) {
    auto it = observers_.find(name);
    if (it == observers_.end())
        it = observers_.emplace(std::string(name), std::make_unique<Signal<>>()).first;
    return it->second->connect(std::move(observer));
}

Subscription PreferencesStore::onSaveFailed(std::function<void(const std::string&)> observer) {
    return saveFailed_.connect(std::move(observer));
}

Subscription PreferencesStore::onLoadProblem(std::function<void(const std::string&)> observer) {
    return loadProblem_.connect(std::move(observer));
}

void PreferencesStore::flushSoon() {
    if (outsideChangePending_)
        return; // settle() saves once the change has been read
    if (backend_.changedOutside()) {
        // Changed under us before the watcher said so: read it first, once it has settled.
        outsideChange();
        return;
    }
    flush();
}

bool PreferencesStore::flush() {
    if (!dirty_)
        return true;
    flushTask_.cancel();
    if (outsideChangePending_ || backend_.changedOutside()) {
        // No time left to wait for the change to settle: read it as it is now.
        settleTask_.cancel();
        outsideChangePending_ = false;
        brokenStamp_.reset();
        apply(backend_.load());
        if (!dirty_)
            return true;
        flushTask_.cancel();
    }
    if (const Result<void> saved = save(); !saved) {
        saveFailed_.emit(saved.error().empty() ? "The preferences could not be saved." : saved.error());
        return false;
    }
    dirty_ = false;
    unsaved_.clear();
    return true;
}

Result<void> PreferencesStore::save() {
    if (saveDisabled_)
        return Failure{
            "Preferences are not being saved, so the file that could not be read is not overwritten. " +
            lastLoad_.message};
    try {
        return backend_.save(values_);
    } catch (const std::exception& e) {
        return Failure{e.what()};
    }
}

void PreferencesStore::reload() {
    apply(backend_.load());
}

void PreferencesStore::outsideChange() {
    outsideChangePending_ = true;
    settleStamp_ = backend_.stamp();
    settleTask_ = scheduler_.after(ClockKind::monotonic, settleSeconds, [this] { settle(); });
}

void PreferencesStore::settle() {
    const PreferencesStamp now = backend_.stamp();
    if (now != settleStamp_) {
        outsideChange(); // still being written
        return;
    }
    // Within the grace period the broken file is read again even though it looks unchanged.
    if (brokenStamp_ || backend_.changedOutside()) {
        const bool stayedBroken = brokenStamp_ == now;
        PreferencesLoad load =
            backend_.load(stayedBroken ? BadStoredObject::setAside : BadStoredObject::leaveInPlace);
        using Status = PreferencesLoad::Status;
        if (!stayedBroken && (load.status == Status::unparsable || load.status == Status::missing)) {
            // Half written, or between an editor's delete and write: give it time.
            brokenStamp_ = now;
            settleTask_ = scheduler_.after(ClockKind::monotonic, brokenGraceSeconds, [this] { settle(); });
            return;
        }
        outsideChangePending_ = false;
        brokenStamp_.reset();
        apply(std::move(load));
    } else {
        outsideChangePending_ = false;
        brokenStamp_.reset();
    }
    if (dirty_)
        markDirty();
}

void PreferencesStore::apply(PreferencesLoad load) {
    using Status = PreferencesLoad::Status;
    switch (load.status) {
    case Status::loaded: {
        saveDisabled_ = false;
        json next = load.values.is_object() ? load.values : json::object();
        // Writes the backend has not taken yet are newer than what it holds.
        for (const auto& name : unsaved_) {
            if (const auto* ours = storedValue(name))
                next[name] = *ours;
            else
                next.erase(name);
        }
        if (unsaved_.empty()) {
            dirty_ = false;
            flushTask_.cancel();
        } else {
            markDirty();
        }
        lastLoad_ = std::move(load);
        replaceValues(std::move(next));
        break;
    }
    case Status::missing:
    case Status::setAside:
        // Deleted or garbled from outside (a garbled file was kept aside): write ours back.
        saveDisabled_ = false;
        lastLoad_ = std::move(load);
        markDirty();
        break;
    case Status::unreadable:
    case Status::unparsable:
        saveDisabled_ = true;
        lastLoad_ = std::move(load);
        break;
    }
    if (lastLoad_.status == Status::setAside || lastLoad_.status == Status::unreadable)
        loadProblem_.emit(lastLoad_.message);
}

void PreferencesStore::replaceValues(json values) {
    std::vector<std::string> changed;
    for (const auto& [name, value] : values_.items()) {
        const auto it = values.find(name);
        if (it == values.end() || *it != value)
            changed.push_back(name);
    }
    for (const auto& [name, value] : values.items()) {
        if (!values_.contains(name))
            changed.push_back(name);
    }
    values_ = std::move(values);
    for (const auto& name : changed)
        notify(name);
}

void PreferencesStore::markDirty() {
    dirty_ = true;
    if (!flushTask_.isPending())
        flushTask_ = scheduler_.post([this] { flushSoon(); });
}

void PreferencesStore::notify(const std::string& name) {
    if (const auto it = observers_.find(name); it != observers_.end())
        it->second->emit();
}

} // namespace vornela
