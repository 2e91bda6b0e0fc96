#include "app/InterimOnboardingWindow.h"

#include "core/app/ApplicationHost.h"
#include "core/nudges/NudgeSettings.h"
#include "core/store/HealthDataStore.h"
#include "core/store/PreferenceKeys.h"
#include "core/store/PreferencesStore.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornela {

InterimOnboardingWindow::InterimOnboardingWindow(PreferencesStore& preferences, NudgeSettings& settings,
                                                 ApplicationHost& host,
                                                 std::function<HealthDataStore*()> health)
    : preferences_(preferences), settings_(settings), host_(host), health_(std::move(health)) {}

InterimOnboardingWindow::~InterimOnboardingWindow() {
    delete window_.data();
}

void InterimOnboardingWindow::show() {
    // A first setup starts from the default goals, as the full onboarding will.
    if (!preferences_.read(keys::hasCompletedOnboarding)) {
        settings_.resetGoalsToDefaults();
        if (auto* health = health_ ? health_() : nullptr)
            health->refresh();
    }
    host_.setActivationPolicy(ActivationPolicy::regular);
    didBecomeVisible_ = false;
    if (!window_) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("vornela-onboarding"));
        window->setWindowTitle(QStringLiteral("Welcome to Vornela"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(28, 24, 28, 24);
        layout->setSpacing(16);
        auto* text = new QLabel(QStringLiteral(
            "Vornela lives in the black shape at the top of your screen and nudges you to drink water, "
            "rest your eyes, move, sit well and have lunch.\n\n"
            "Choosing your own goals and schedules comes in a later version. For now Vornela starts "
            "with its default goals; hover the shape at any time to see your day."));
        text->setWordWrap(true);
        text->setMinimumWidth(360);
        layout->addWidget(text);
        auto* button = new QPushButton(QStringLiteral("Finish"));
        button->setDefault(true);
        QObject::connect(button, &QPushButton::clicked, window, [this] { finish(); });
        layout->addWidget(button, 0, Qt::AlignRight);
        window_ = window;
    }
    QWidget* window = window_.data();
    window->show();
    window->raise();
    window->activateWindow();
    didBecomeVisible_ = true;
    if (onDidPresent)
        onDidPresent();
}

bool InterimOnboardingWindow::isWindowVisible() const {
    const QWidget* window = window_.data();
    return window && window->isVisible();
}

void InterimOnboardingWindow::finish() {
    preferences_.write(keys::hasCompletedOnboarding, true);
    host_.setActivationPolicy(ActivationPolicy::accessory);
    if (QWidget* window = window_.data())
        window->close();
    if (onDidFinish)
        onDidFinish();
}

} // namespace vornela
