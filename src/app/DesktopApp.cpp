#include "app/DesktopApp.h"

#include "ui/base/Typography.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace vornela {

DesktopApp::DesktopApp(std::filesystem::path preferencesFile)
    : backend_(std::move(preferencesFile)), text_(&interfaceFont),
      viewModel_(NotchViewModel::Services{health_, preferences_, scheduler_, clock_, center_, text_, haptics_,
                                          system_}),
      settingsWindow_(host_, [this] { terminate(); }),
      onboardingWindow_(preferences_, settings_, host_, [this] { return &health_; }),
      binder_(PanelContentBinder::Context{
          viewModel_, system_, clock_, driver_,
          [this] { return delegate_ ? delegate_->notchWindowController() : nullptr; },
          [this] { return delegate_ ? delegate_->completionWindowController() : nullptr; }}) {
    settings_.setRescheduler(&engine_);
    viewModel_.setReminderEngine(&engine_);

    subscriptions_.push_back(preferences_.onSaveFailed([path = backend_.path()](const std::string& why) {
        // There is no window to say it in; the session log is where a desktop user can find it.
        std::fprintf(stderr, "vornela: could not save %s: %s\n", path.c_str(), why.c_str());
    }));

    scheduler_.onWallClockChanged = [this] {
        dayTimer_.wallClockChanged();
        engine_.wakeScheduler();
    };
    screens_.onScreensChanged = [this] { center_.post(notifications::screenParametersChanged); };
    pointer_.onPointerMoved = [this] {
        if (auto* controller = delegate_ ? delegate_->notchWindowController() : nullptr)
            controller->reportPointer();
    };
    panels_.onPanelCreated = [this](OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) {
        binder_.attach(panel, screen, level);
    };

    delegate_ = std::make_unique<AppDelegate>(AppDelegate::Services{
        preferences_, health_, viewModel_, engine_, scheduler_, clock_, center_, host_, settingsWindow_,
        onboardingWindow_, NotchWindowController::Ports{panels_, screens_, pointer_, scheduler_},
        NudgeCompletionWindowController::Ports{panels_, screens_, scheduler_, clock_, cardSizer_, system_}});

    sleepWatcher_ = std::make_unique<LogindSleepWatcher>(center_, [this] { preferences_.flush(); });
    fileWatcher_ = std::make_unique<PreferencesFileWatcher>(QString::fromStdString(backend_.path().string()),
                                                            [this] { preferences_.reload(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &connections_,
                     [this](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive && delegate_)
                             delegate_->applicationDidBecomeActive();
                     });
}

DesktopApp::~DesktopApp() {
    terminate();
    // The panels hold views that refer to the view model: they go first.
    delegate_.reset();
}

void DesktopApp::launch() {
    portal_.start();
    dayTimer_.start();
    delegate_->applicationDidFinishLaunching();
}

void DesktopApp::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    delegate_->applicationWillTerminate();
    dayTimer_.stop();
    preferences_.flush();
    QCoreApplication::quit();
}

} // namespace vornela
