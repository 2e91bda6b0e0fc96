#pragma once

#include "core/base/Signal.h"
#include "ui/settings/SettingsServices.h"

#include <QWidget>

#include <vector>

namespace vornela {

class NudgeSettingsRowView;

// "Health Nudges": one row per kind, in catalogue order, enabled or not.
class NudgesSettingsPane : public QWidget {
public:
    explicit NudgesSettingsPane(const SettingsServices& services, QWidget* parent = nullptr);

    const std::vector<NudgeSettingsRowView*>& rows() const { return rows_; }

private:
    std::vector<NudgeSettingsRowView*> rows_;
    Subscription reloaded_;
};

} // namespace vornela
