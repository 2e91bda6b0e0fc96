#include "ui/settings/NudgesSettingsPane.h"

#include "core/settings/SettingsWindowModel.h"
#include "ui/settings/NudgeSettingsRowView.h"
#include "ui/settings/SettingsSection.h"

#include <QVBoxLayout>

namespace vornela {

NudgesSettingsPane::NudgesSettingsPane(const SettingsServices& services, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* section = new SettingsSection(QStringLiteral("Health Nudges"));
    for (auto& row : services.model.rows()) {
        auto* view = new NudgeSettingsRowView(row, services);
        rows_.push_back(view);
        section->addRowWidget(view);
    }
    section->setFooter(
        QStringLiteral("Icons match what appears in the notch. Frequencies follow daily goals in General."));
    layout->addWidget(section);
    layout->addStretch(1);
    reloaded_ = services.model.rowsReloaded.connect([this] {
        for (auto* view : rows_)
            view->refresh();
    });
}

} // namespace vornela
