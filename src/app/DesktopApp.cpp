#include "app/DesktopApp.h"

#include "core/app/BuildInfo.h"
#include "platform/system/DpkgOwnership.h"
#include "ui/base/IdleMemory.h"
#include "ui/base/Typography.h"
#include "ui/onboarding/OnboardingContent.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>

#include <cstdio>

namespace vornela {

DesktopApp::DesktopApp(std::filesystem::path preferencesFile)
    : backend_(std::move(preferencesFile)), text_(&interfaceFont),
      // The entry starts this very binary, wherever it was installed.
      loginItem_(XdgAutostartLoginItem::defaultDirectory(), QString::fromLatin1(build::applicationId),
                 QCoreApplication::applicationFilePath()) {
    buildUpdatePorts();
    core_ = std::make_unique<VornelaCore>(CorePorts{clock_, scheduler_, calendar_, backend_, text_, haptics_,
                                                    system_, screens_, pointer_, panels_, cardSizer_, host_,
                                                    settingsWindow_, onboardingWindow_, sharePreview_,
                                                    timeZone_, loginItem_, &updatePorts_});
    VornelaCore& core = *core_;
    onboardingWindow_.setContent([this, &core] { return onboardingContent(core, driver_); });
    settingsWindow_.setServices([this, &core] {
        return SettingsServices{core.settingsWindow(),
                                core.settings(),
                                core.preferences(),
                                core.engine(),
                                core.updater(),
                                loginItem_,
                                system_,
                                clock_,
                                driver_,
                                [this] { terminate(); }};
    });
    updateOffers_ = core.updater().offer.connect([this, &core](const UpdateRelease& release) {
        if (!updateDialog_)
            updateDialog_ = std::make_unique<UpdateDialog>(core.updater(), updatePorts_.version);
        updateDialog_->present(release);
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
    loginProblems_ = core.startAtLogin().failed.connect(
        [](const std::string& why) { std::fprintf(stderr, "vornela: %s\n", why.c_str()); });
    loadProblems_ = core.preferences().onLoadProblem(
        [](const std::string& what) { std::fprintf(stderr, "vornela: %s\n", what.c_str()); });
    saveFailures_ = core.preferences().onSaveFailed([this](const std::string& why) {
        // Once per reason: a refusal that lasts (another Vornela saving) would repeat at every change.
        if (why == lastSaveFailure_)
            return;
        lastSaveFailure_ = why;
        std::fprintf(stderr, "vornela: could not save %s: %s\n", backend_.path().c_str(), why.c_str());
    });

    notchStates_ = core.notch().notchState.observe([this](const NotchState&) { scheduleIdleRelease(); });
    scheduleIdleRelease();

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

void DesktopApp::buildUpdatePorts() {
    const QString binary = QCoreApplication::applicationFilePath();
    updatePorts_.version = std::string(build::version);
    updatePorts_.ownedByPackageManager = [binary] { return !DpkgOwnership::owningPackage(binary).isEmpty(); };
    // Without a key no archive could be checked: such a build has no feed to offer.
    if (!build::updatePublicKey.empty())
        updatePorts_.feed = std::string(build::updateFeed);
    if (updatePorts_.feed.empty())
        return;
    const auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
    const QString module = QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           text(build::updateModuleDir) + QStringLiteral("/libvornela_update.so");
    const auto relaunch = [this](const QString& path) {
        // The new Vornela waits for this one to end: only one may hold the session's lock.
        QProcess::startDetached(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"),
             QStringLiteral("while kill -0 \"$1\" 2>/dev/null; do sleep 0.2; done; exec \"$0\""), path,
             QString::number(QCoreApplication::applicationPid())});
        terminate();
    };
    updateBackend_ =
        loadUpdateBackend(module, UpdateBackendSetup{binary, text(updatePorts_.version),
                                                     QByteArray(build::updatePublicKey.data(),
                                                                qsizetype(build::updatePublicKey.size())),
                                                     relaunch});
    if (!updateBackend_)
        return;
    updatePorts_.transport = &updateBackend_->transport();
    updatePorts_.installer = &updateBackend_->installer();
}

void DesktopApp::scheduleIdleRelease() {
    if (!core_->notch().notchState.get().is(NotchState::Case::closed)) {
        idleRelease_.cancel();
        return;
    }
    // Not at once: a pointer passing over the notch again soon should find its fonts still loaded
    // (reloading them costs the first frame about 6 ms).
    constexpr double holdSeconds = 5;
    idleRelease_ = scheduler_.after(ClockKind::monotonic, holdSeconds, [] { releaseIdleMemory(); });
}

DesktopApp::~DesktopApp() {
    terminate();
    timeZoneWatcher_.reset();
    fileWatcher_.reset();
    sleepWatcher_.reset();
    // The panels and the settings window hold views that refer to the core's models: they go first.
    settingsWindow_.destroyWindow();
    // The dialog shows the core's updater.
    updateOffers_.reset();
    updateDialog_.reset();
    core_.reset();
}

void DesktopApp::launch() {
    portal_.start();
    core_->launch();
    // This version is up: the one an update replaced is no longer needed.
    if (updateBackend_ && core_->updater().hasOwnUpdater())
        updateBackend_->startedOnce();
}

void DesktopApp::terminate() {
    if (terminated_)
        return;
    terminated_ = true;
    core_->terminate();
    QCoreApplication::quit();
}

} // namespace vornela
