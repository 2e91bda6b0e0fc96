#include "app/DesktopApp.h"

#include "ui/base/Typography.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace vornela {

DesktopApp::DesktopApp(std::filesystem::path preferencesFile)
    : backend_(std::move(preferencesFile)), text_(&interfaceFont),
      settingsWindow_(host_, [this] { terminate(); }) {
    core_ = std::make_unique<VornelaCore>(CorePorts{clock_, scheduler_, calendar_, backend_, text_, haptics_,
                                                    system_, screens_, pointer_, panels_, cardSizer_, host_,
                                                    settingsWindow_, onboardingWindow_, sharePreview_});
    VornelaCore& core = *core_;
    binder_ = std::make_unique<PanelContentBinder>(PanelContentBinder::Context{
        core.notch(), system_, clock_, driver_, [&core] { return core.notchWindowController(); },
        [&core] { return core.completionWindowController(); }, &core.dashboard(), &core.ruler()});

    saveFailures_ = core.preferences().onSaveFailed([path = backend_.path()](const std::string& why) {
        // There is no window to say it in; the session log is where a desktop user can find it.
        std::fprintf(stderr, "vornela: could not save %s: %s\n", path.c_str(), why.c_str());
    });

    scheduler_.onWallClockChanged = [&core] { core.wallClockChanged(); };
    screens_.onScreensChanged = [&core] { core.screensChanged(); };
    pointer_.onPointerMoved = [&core] { core.pointerMoved(); };
    panels_.onPanelCreated = [this](OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) {
        binder_->attach(panel, screen, level);
    };

    sleepWatcher_ = std::make_unique<LogindSleepWatcher>(core.center(), [&core] { core.willSleep(); });
    fileWatcher_ = std::make_unique<PreferencesFileWatcher>(QString::fromStdString(backend_.path().string()),
                                                            [&core] { core.preferences().reload(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &connections_,
                     [&core](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             core.becameActive();
                     });
}

DesktopApp::~DesktopApp() {
    terminate();
    fileWatcher_.reset();
    sleepWatcher_.reset();
    // The panels hold views that refer to the view model: they go with the core.
    core_.reset();
}

void DesktopApp::launch() {
    portal_.start();
    core_->launch();
}

void DesktopApp::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    core_->terminate();
    QCoreApplication::quit();
}

} // namespace vornela
