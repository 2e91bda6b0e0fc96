#include "ui/settings/GeneralSettingsPane.h"

#include "core/app/LoginItemPort.h"
#include "core/app/UpdaterPort.h"
#include "core/nudges/ReminderEngine.h"
#include "core/settings/SettingsOptions.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/base/Typography.h"
#include "ui/settings/SettingsSection.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace vornela {

namespace {

using Goal = SettingsActions::Goal;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QToolButton* stepButton(const QString& glyph, const QString& name) {
    auto* button = new QToolButton;
    button->setText(glyph);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setAutoRepeat(true);
    button->setFixedSize(28, 24);
    button->setFont(interfaceFont(15, FontWeight::medium));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

GeneralSettingsPane::GeneralSettingsPane(SettingsServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(22);

    auto* reminders = new SettingsSection;
    reminders_ = new ToggleSwitch(QStringLiteral("Enable reminders"));
    pause_ = new ToggleSwitch(QStringLiteral("Pause reminders"));
    reminders->addRow(QStringLiteral("Enable reminders"), reminders_);
    reminders->addRow(QStringLiteral("Pause reminders"), pause_);
    reminders->setFooter(QStringLiteral("Paused reminders stay off until you resume them from here."));
    connect(reminders_, &ToggleSwitch::toggled, this,
            [this](bool on) { services_.actions.setRemindersEnabled(on); });
    connect(pause_, &ToggleSwitch::toggled, this, [this](bool on) { services_.actions.setPaused(on); });

    auto* goals = new SettingsSection(QStringLiteral("Goals"));
    const std::array<QString, 3> goalTitles = {QStringLiteral("Daily water goal"),
                                               QStringLiteral("Daily breaks goal"),
                                               QStringLiteral("Daily movement goal")};
    for (const Goal goal : {Goal::water, Goal::breaks, Goal::movement}) {
        auto* picker = new QComboBox;
        picker->setMinimumWidth(140);
        goals_[static_cast<int>(goal)] = picker;
        goals->addRow(goalTitles[static_cast<std::size_t>(goal)], picker);
        connect(picker, &QComboBox::activated, this, [this, goal, picker](int index) {
            services_.actions.setGoal(goal, picker->itemData(index).toInt());
        });
    }
    goals->setFooter(
        QStringLiteral("Nudge reminders use these targets to set default frequencies in Nudges."));

    auto* display = new SettingsSection(QStringLiteral("Display"));
    auto* stepper = new QWidget;
    auto* stepperLayout = new QHBoxLayout(stepper);
    stepperLayout->setContentsMargins(0, 0, 0, 0);
    stepperLayout->setSpacing(4);
    fewer_ = stepButton(QStringLiteral("−"), QStringLiteral("Fewer seconds"));
    more_ = stepButton(QStringLiteral("+"), QStringLiteral("More seconds"));
    stepperLayout->addWidget(fewer_);
    stepperLayout->addWidget(more_);
    auto* durationRow = display->addRow(QString(), stepper);
    duration_ = durationRow->findChild<QLabel*>();
    display->setFooter(QStringLiteral("How long a nudge stays visible in the notch before dismissing."));
    const auto step = [this](int by) {
        const double stored = services_.preferences.read(keys::nudgeDisplayDuration);
        services_.actions.setDisplayDuration(displayDurationSeconds(stored) + by);
    };
    connect(fewer_, &QToolButton::clicked, this, [step] { step(-1); });
    connect(more_, &QToolButton::clicked, this, [step] { step(1); });

    auto* application = new SettingsSection(QStringLiteral("Application"));
    version_ = secondaryLabel(qs(vornela::versionLabel()), 13);
    version_->setContentsMargins(14, 10, 14, 10);
    version_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    application->addRowWidget(version_);
    check_ = new QPushButton(QStringLiteral("Check for Updates…"));
    application->addRow(QStringLiteral("Updates"), check_);
    updateStatus_ = secondaryLabel(QString(), 12);
    updateStatus_->setContentsMargins(14, 0, 14, 8);
    updateStatus_->hide();
    application->addRowWidget(updateStatus_);
    autoCheck_ = new ToggleSwitch(QStringLiteral("Automatically check for updates"));
    autoInstall_ = new ToggleSwitch(QStringLiteral("Install updates automatically"));
    application->addRow(QStringLiteral("Automatically check for updates"), autoCheck_);
    application->addRow(QStringLiteral("Install updates automatically"), autoInstall_);
    connect(check_, &QPushButton::clicked, this, [this] { services_.updater.checkForUpdates(); });
    connect(autoCheck_, &ToggleSwitch::toggled, this,
            [this](bool on) { services_.updater.setAutomaticallyChecksForUpdates(on); });
    connect(autoInstall_, &ToggleSwitch::toggled, this,
            [this](bool on) { services_.updater.setAutomaticallyDownloadsUpdates(on); });

    auto* loginRow = new QWidget;
    auto* loginLayout = new QVBoxLayout(loginRow);
    loginLayout->setContentsMargins(0, 0, 0, 0);
    loginLayout->setSpacing(0);
    auto* loginLine = new QWidget;
    auto* loginLineLayout = new QHBoxLayout(loginLine);
    loginLineLayout->setContentsMargins(14, 6, 10, 6);
    login_ = new ToggleSwitch(QStringLiteral("Start Vornela at login"));
    loginLineLayout->addWidget(textLabel(QStringLiteral("Start Vornela at login"), 13), 1);
    loginLineLayout->addWidget(login_);
    loginLine->setMinimumHeight(40);
    loginError_ = errorLabel();
    loginError_->setContentsMargins(14, 0, 14, 8);
    loginError_->hide();
    loginLayout->addWidget(loginLine);
    loginLayout->addWidget(loginError_);
    application->addRowWidget(loginRow);
    connect(login_, &ToggleSwitch::toggled, this, [this](bool on) {
        const std::string failure = services_.loginItem.setEnabled(on);
        loginError_->setText(qs(failure));
        loginError_->setVisible(!failure.empty());
        // The switch shows what the desktop now has, whether or not the change took.
        login_->setCheckedQuietly(services_.loginItem.isEnabled());
    });

    auto* quit = new QPushButton(QStringLiteral("Quit Vornela"));
    auto* quitRow = new QWidget;
    auto* quitLayout = new QHBoxLayout(quitRow);
    quitLayout->setContentsMargins(14, 8, 10, 8);
    quitLayout->addStretch(1);
    quitLayout->addWidget(quit);
    application->addRowWidget(quitRow);
    connect(quit, &QPushButton::clicked, this, [this] {
        if (services_.quit)
            services_.quit();
    });

    sections_ = {reminders, goals, display, application};
    for (auto* section : sections_)
        layout->addWidget(section);
    layout->addStretch(1);

    auto& prefs = services_.preferences;
    subscriptions_.push_back(prefs.observe(keys::remindersEnabled.name, [this] {
        reminders_->setCheckedQuietly(services_.preferences.read(keys::remindersEnabled));
    }));
    subscriptions_.push_back(
        services_.engine.observePaused([this](const bool& on) { pause_->setCheckedQuietly(on); }));
    for (const Goal goal : {Goal::water, Goal::breaks, Goal::movement}) {
        subscriptions_.push_back(
            prefs.observe(SettingsActions::goalKey(goal).name, [this, goal] { showGoal(goal); }));
        showGoal(goal);
    }
    subscriptions_.push_back(prefs.observe(keys::nudgeDisplayDuration.name, [this] { showDuration(); }));
    subscriptions_.push_back(services_.updater.changed.connect([this] { showUpdater(); }));
    reminders_->setCheckedQuietly(prefs.read(keys::remindersEnabled));
    pause_->setCheckedQuietly(services_.engine.isPaused().get());
    showDuration();
    showUpdater();
    refreshLoginItem();
}

GeneralSettingsPane::~GeneralSettingsPane() = default;

QLabel* GeneralSettingsPane::footer(int section) const {
    return sections_.at(static_cast<std::size_t>(section))->footer();
}

void GeneralSettingsPane::showGoal(Goal goal) {
    QComboBox* picker = goals_[static_cast<int>(goal)];
    const int stored = services_.actions.goal(goal);
    const QSignalBlocker blocker(picker);
    picker->clear();
    for (const auto& option : goalOptions(goal, stored)) {
        picker->addItem(qs(option.label), option.value);
        if (option.value == stored)
            picker->setCurrentIndex(picker->count() - 1);
    }
}

void GeneralSettingsPane::showDuration() {
    const double stored = services_.preferences.read(keys::nudgeDisplayDuration);
    const int seconds = displayDurationSeconds(stored);
    duration_->setText(qs(displayDurationLabel(stored)));
    fewer_->setEnabled(seconds > keys::minimumDisplayDuration);
    more_->setEnabled(seconds < keys::maximumDisplayDuration);
}

void GeneralSettingsPane::showUpdater() {
    UpdaterPort& updater = services_.updater;
    const bool own = updater.hasOwnUpdater();
    check_->setEnabled(own && updater.canCheckForUpdates());
    autoCheck_->setEnabled(own);
    autoInstall_->setEnabled(own);
    autoCheck_->setCheckedQuietly(own && updater.automaticallyChecksForUpdates());
    autoInstall_->setCheckedQuietly(own && updater.automaticallyDownloadsUpdates());
    updateStatus_->setText(own ? qs(updater.statusText()) : QString());
    updateStatus_->setVisible(!updateStatus_->text().isEmpty());
    // Without an updater of its own, the background-update promise would not hold: say why instead.
    sections_.back()->setFooter(own ? QStringLiteral("Vornela checks for updates in the background and "
                                                     "installs them when you're not using the app.")
                                    : qs(updater.unavailableReason()));
}

void GeneralSettingsPane::refreshLoginItem() {
    login_->setCheckedQuietly(services_.loginItem.isEnabled());
}

} // namespace vornela
