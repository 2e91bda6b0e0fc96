#pragma once

#include "core/base/Observable.h"
#include "core/base/Published.h"
#include "core/base/Signal.h"
#include "core/settings/SettingsNudgeRow.h"

#include <functional>
#include <string_view>
#include <vector>

namespace vornela {

class NudgeSettings;
class PreferencesStore;
class SettingsActions;

// The panes of the settings window, in sidebar order.
enum class SettingsPane { general, nudges };
inline constexpr SettingsPane allSettingsPanes[] = {SettingsPane::general, SettingsPane::nudges};
// The sidebar entry and the pane's heading.
std::string_view title(SettingsPane pane);

// What the settings window shows beyond the stores it writes through: whether it is open, the
// selected pane and the nudge rows. The window is made once and reused; only its first showing
// starts on General. Rows are read again whenever they come back into view, so a goal changed
// meanwhile shows in the frequencies.
class SettingsWindowModel {
public:
    SettingsWindowModel(const PreferencesStore& preferences, const NudgeSettings& settings,
                        SettingsActions& actions);

    // The window is about to be shown (created, or raised when already open).
    void willShow();
    // The user closed it; it is only hidden.
    void didClose();
    bool isOpen() const { return open_.get(); }
    [[nodiscard]] Subscription observeOpen(std::function<void(const bool&)> observer) {
        return open_.observe(std::move(observer));
    }

    Published<SettingsPane, SettingsWindowModel>& selection() { return selection_; }
    const Published<SettingsPane, SettingsWindowModel>& selection() const { return selection_; }
    void select(SettingsPane pane);

    std::vector<SettingsNudgeRow>& rows() { return rows_; }
    const std::vector<SettingsNudgeRow>& rows() const { return rows_; }
    // The rows were read again from the stores.
    Signal<> rowsReloaded;

private:
    void reloadRows();

    Published<SettingsPane, SettingsWindowModel> selection_{SettingsPane::general};
    std::vector<SettingsNudgeRow> rows_;
    bool created_ = false;
    Observable<bool> open_{false};
};

} // namespace vornela
