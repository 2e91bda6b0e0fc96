#include "app/DesktopApp.h"

#include "core/app/BuildInfo.h"
#include "platform/system/DpkgOwnership.h"
#include "ui/base/Typography.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

namespace vornela {

DesktopApp::DesktopApp(std::filesystem::path preferencesFile)
    : backend_(std::move(preferencesFile)), text_(&interfaceFont),
      // The entry starts this very binary, wherever it was installed.
      loginItem_(XdgAutostartLoginItem::defaultDirectory(), QString::fromLatin1(build::applicationId),
                 QCoreApplication::applicationFilePath()),
      updater_(
          {[] { return !DpkgOwnership::owningPackage(QCoreApplication::applicationFilePath()).isEmpty(); },
           std::string(build::updateFeed), std::string(build::version)}) {
    core_ = std::make_unique<VornelaCore>(
        CorePorts{clock_, scheduler_, calendar_, backend_, text_, haptics_, system_, screens_, pointer_,
                  panels_, cardSizer_, host_, settingsWindow_, onboardingWindow_, sharePreview_, timeZone_});
    VornelaCore& core = *core_;
    settingsWindow_.setServices([this, &core] {
        return SettingsServices{core.settingsWindow(),
                                core.settings(),
                                core.preferences(),
                                core.engine(),
                                updater_,
                                loginItem_,
                                system_,
                                clock_,
                                driver_,
                                [this] { terminate(); }};
    });
    binder_ = std::make_unique<PanelContentBinder>(PanelContentBinder::Context{
        core.notch(), system_, clock_, driver_, [&core] { return core.notchWindowController(); },
        [&core] { return core.completionWindowController(); }, &core.dashboard(), &core.ruler(),
        &core.activity()});
    // Built on the first showing: an idle notch should not carry a window it may never show.
    sharePresents_ = core.sharePreview().presentRequested.connect([this, &core] {
        if (sharePreviewWindow_)
            return; // it shows itself from now on
        sharePreviewWindow_ =
            std::make_unique<SharePreviewWindow>(core.sharePreview(), &LinuxShareServices::pixels);
        sharePreview_.setWindow(sharePreviewWindow_.get());
        sharePreviewWindow_->present();
    });

    // There is no window to say these in; the session log is where a desktop user finds them.
    const PreferencesLoad& loaded = core.preferences().lastLoad();
    if (loaded.status == PreferencesLoad::Status::setAside ||
        loaded.status == PreferencesLoad::Status::unreadable)
        std::fprintf(stderr, "vornela: %s\n", loaded.message.c_str());
    loadProblems_ = core.preferences().onLoadProblem(
        [](const std::string& what) { std::fprintf(stderr, "vornela: %s\n", what.c_str()); });
    saveFailures_ = core.preferences().onSaveFailed([this](const std::string& why) {
        // Once per reason: a refusal that lasts (another Vornela saving) would repeat at every change.
        if (why == lastSaveFailure_)
            return;
        lastSaveFailure_ = why;
        std::fprintf(stderr, "vornela: could not save %s: %s\n", backend_.path().c_str(), why.c_str());
    });

    scheduler_.onWallClockChanged = [&core] { core.wallClockChanged(); };
    screens_.onScreensChanged = [&core] { core.screensChanged(); };
    pointer_.onPointerMoved = [&core] { core.pointerMoved(); };
    panels_.onPanelCreated = [this](OverlayPanel& panel, const ScreenInfo& screen, PanelLevel level) {
        binder_->attach(panel, screen, level);
    };

    sleepWatcher_ = std::make_unique<LogindSleepWatcher>(core.center(), [&core] { core.willSleep(); });
    fileWatcher_ = std::make_unique<PreferencesFileWatcher>(QString::fromStdString(backend_.path().string()),
                                                            [&core] { core.preferences().outsideChange(); });
    timeZoneWatcher_ = std::make_unique<TimeZoneWatcher>(timeZone_);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &connections_,
                     [&core](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             core.becameActive();
                     });
}

DesktopApp::~DesktopApp() {
    terminate();
    timeZoneWatcher_.reset();
    fileWatcher_.reset();
    sleepWatcher_.reset();
    // The panels and the settings window hold views that refer to the core's models: they go first.
    settingsWindow_.destroyWindow();
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
