#include "ui/onboarding/OnboardingNudgeCard.h"

#include "core/nudges/NudgeIntervalPreset.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/nudges/NudgeIconChip.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimeEdit>

namespace vornela {

using namespace onboardingTheme;

OnboardingNudgeCard::OnboardingNudgeCard(SettingsNudgeRow& row, const Clock& clock, AnimationDriver& driver,
                                         const SystemPreferences& system, bool reduceMotion, QWidget* parent)
    : OnboardingCard(parent), row_(row) {
    const NudgeDefinition& definition = row.definition();
    const QString title = QString::fromStdString(definition.title);

    auto* header = new QWidget;
    auto* top = new QHBoxLayout(header);
    top->setContentsMargins(14, 12, 14, 12);
    top->setSpacing(14);
    top->addWidget(new NudgeIconChip(definition, 40, clock, driver, system));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(label(title, labelFont(), 0));
    auto* message = label(QString::fromStdString(definition.message), captionFont(), 1);
    message->setWordWrap(true);
    texts->addWidget(message);
    top->addLayout(texts, 1);
    switch_ = new ToggleSwitch(title);
    switch_->setAnimated(!reduceMotion);
    top->addWidget(switch_, 0, Qt::AlignVCenter);
    rows().addWidget(header);

    auto* setting = new QWidget;
    auto* bottom = new QHBoxLayout(setting);
    bottom->setContentsMargins(14, 10, 14, 10);
    bottom->setSpacing(12);
    if (row.usesDailyClockTime()) {
        bottom->addWidget(label(QStringLiteral("Lunch time"), rowTitleFont(), 0));
        bottom->addStretch(1);
        lunchTime_ = new QTimeEdit;
        // Hours and minutes in the user's convention; some locales' short format has seconds.
        QString format = QLocale().timeFormat(QLocale::ShortFormat);
        format.remove(QStringLiteral(":ss")).remove(QStringLiteral(".ss"));
        lunchTime_->setDisplayFormat(format);
        lunchTime_->setAccessibleName(QStringLiteral("Lunch time"));
        bottom->addWidget(lunchTime_);
        QObject::connect(lunchTime_, &QTimeEdit::timeChanged, this,
                         [this](QTime time) { row_.setLunchMinutes(time.hour() * 60 + time.minute()); });
    } else {
        bottom->addWidget(label(QStringLiteral("Frequency"), rowTitleFont(), 0));
        bottom->addStretch(1);
        frequency_ = new QComboBox;
        frequency_->setAccessibleName(title + QStringLiteral(" frequency"));
        for (NudgeIntervalPreset preset : allIntervalPresets)
            frequency_->addItem(QString::fromUtf8(vornela::label(preset)), static_cast<int>(preset));
        bottom->addWidget(frequency_);
        QObject::connect(frequency_, &QComboBox::activated, this, [this](int index) {
            row_.setInterval(static_cast<NudgeIntervalPreset>(frequency_->itemData(index).toInt()));
        });
    }
    dimming_ = new QGraphicsOpacityEffect(setting);
    setting->setGraphicsEffect(dimming_);
    rows().addWidget(setting);

    QObject::connect(switch_, &ToggleSwitch::toggled, this, [this](bool on) {
        row_.setEnabled(on);
        dim();
    });
    refresh();
}

void OnboardingNudgeCard::dim() {
    // The effect renders offscreen: only while there is something to dim.
    dimming_->setOpacity(row_.enabled() ? 1.0 : 0.45);
    dimming_->setEnabled(!row_.enabled());
}

void OnboardingNudgeCard::refresh() {
    switch_->setCheckedQuietly(row_.enabled());
    dim();
    if (frequency_)
        frequency_->setCurrentIndex(frequency_->findData(static_cast<int>(row_.interval())));
    if (lunchTime_) {
        const QSignalBlocker quiet(lunchTime_);
        lunchTime_->setTime(QTime(row_.lunchMinutes() / 60, row_.lunchMinutes() % 60));
    }
}

} // namespace vornela
