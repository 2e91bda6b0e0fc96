#include "core/settings/SettingsWindowModel.h"

namespace vornela {

std::string_view title(SettingsPane pane) {
    switch (pane) {
    case SettingsPane::general:
        return "General";
    case SettingsPane::nudges:
        return "Nudges";
    }
    return "General";
}

SettingsWindowModel::SettingsWindowModel(const PreferencesStore& preferences, const NudgeSettings& settings,
                                         SettingsActions& actions)
    : rows_(makeNudgeRows(preferences, settings, actions)) {}

void SettingsWindowModel::willShow() {
    if (!created_) {
        created_ = true;
        selection_.set(SettingsPane::general);
    }
    if (!open_.get()) {
        // Rows first: whoever watches the window opening sees the values it will show.
        reloadRows();
        open_.set(true);
    }
}

void SettingsWindowModel::didClose() {
    open_.set(false);
}

void SettingsWindowModel::select(SettingsPane pane) {
    if (selection_.set(pane) && pane == SettingsPane::nudges)
        reloadRows();
}

void SettingsWindowModel::reloadRows() {
    for (auto& row : rows_)
        row.reload();
    rowsReloaded.emit();
}

} // namespace vornela
