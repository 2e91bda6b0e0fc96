#include "ui/settings/NudgeSettingsRowView.h"

#include "core/settings/SettingsNudgeRow.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/nudges/NudgeIconChip.h"
#include "ui/settings/SettingsSection.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTimeEdit>

#include <algorithm>
#include <iterator>

namespace vornela {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

NudgeSettingsRowView::NudgeSettingsRowView(SettingsNudgeRow& row, const SettingsServices& services,
                                           QWidget* parent)
    : QWidget(parent), row_(row) {
    const auto& definition = row.definition();
    const QString title = QString::fromStdString(row.title());
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 12, 10, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);

    auto* chip = new NudgeIconChip(definition, chipSize, services.clock, services.driver, services.system);
    grid->addWidget(chip, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(textLabel(title, 13, true), 0, 1);
    grid->addWidget(secondaryLabel(qs(definition.message), 12), 1, 1);
    enabled_ = new ToggleSwitch(title);
    grid->addWidget(enabled_, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(1, 1);

    auto* setting = new QWidget;
    auto* settingLayout = new QHBoxLayout(setting);
    settingLayout->setContentsMargins(0, 6, 0, 0);
    settingLayout->setSpacing(8);
    if (row.usesDailyClockTime()) {
        settingLayout->addWidget(textLabel(QStringLiteral("Lunch time"), 12, true));
        lunchTime_ = new QTimeEdit;
        lunchTime_->setDisplayFormat(QStringLiteral("HH:mm"));
        lunchTime_->setAccessibleName(QStringLiteral("Lunch time"));
        lunchTime_->setMinimumWidth(84);
        settingLayout->addWidget(lunchTime_);
        connect(lunchTime_, &QTimeEdit::timeChanged, this,
                [this](const QTime& time) { row_.setLunchMinutes(time.hour() * 60 + time.minute()); });
    } else {
        settingLayout->addWidget(textLabel(QStringLiteral("Frequency"), 12, true));
        frequency_ = new QComboBox;
        frequency_->setAccessibleName(title + QStringLiteral(" frequency"));
        for (const auto preset : allIntervalPresets)
            frequency_->addItem(qs(label(preset)), static_cast<int>(preset));
        settingLayout->addWidget(frequency_);
        connect(frequency_, &QComboBox::activated, this,
                [this](int index) { row_.setInterval(allIntervalPresets[static_cast<std::size_t>(index)]); });
    }
    settingLayout->addStretch(1);
    grid->addWidget(setting, 2, 1, 1, 2);

    connect(enabled_, &ToggleSwitch::toggled, this, [this](bool on) { row_.setEnabled(on); });
    refresh();
}

void NudgeSettingsRowView::refresh() {
    enabled_->setCheckedQuietly(row_.enabled());
    if (frequency_) {
        const QSignalBlocker blocker(frequency_);
        const auto at = std::find(allIntervalPresets.begin(), allIntervalPresets.end(), row_.interval());
        frequency_->setCurrentIndex(static_cast<int>(std::distance(allIntervalPresets.begin(), at)));
    }
    if (lunchTime_) {
        const QSignalBlocker blocker(lunchTime_);
        lunchTime_->setTime(QTime(row_.lunchMinutes() / 60, row_.lunchMinutes() % 60));
    }
}

} // namespace vornela
