#include "app/CommandLine.h"
#include "app/DesktopApp.h"
#include "app/DisplayCheck.h"
#include "app/SingleInstanceLock.h"
#include "app/TerminationSignals.h"
#include "core/app/BuildInfo.h"
#include "ui/base/Typography.h"

#include <QApplication>

#include <cstdio>

using namespace vornela;

int main(int argc, char** argv) {
    if (const auto status = CommandLine::handleInformational(argc, argv, stdout))
        return *status;

    const Result<std::string> display = DisplayCheck::prepare();
    if (!display) {
        std::fprintf(stderr, "vornela: %s\n", display.error().c_str());
        return 1;
    }

    // Before any window exists, so a second launch never shows a second panel, even briefly.
    SingleInstanceLock lock(SingleInstanceLock::defaultPath());
    const Result<bool> locked = lock.acquire();
    if (!locked) {
        std::fprintf(stderr, "vornela: %s\n", locked.error().c_str());
        return 1;
    }
    if (!locked.value()) {
        std::fprintf(stderr, "vornela: already running in this session\n");
        return 0;
    }
    if (!display.value().empty())
        std::fprintf(stderr, "vornela: %s\n", display.value().c_str());

    QApplication::setApplicationName(QStringLiteral("vornela"));
    const QString applicationId = QString::fromLatin1(build::applicationId);
    QApplication::setApplicationVersion(QString::fromLatin1(build::version));
    QApplication::setDesktopFileName(applicationId);
    QApplication application(argc, argv);
    // There is no main window: closing Settings or onboarding must not end the process.
    QApplication::setQuitOnLastWindowClosed(false);

    if (!ensureInterfaceFont())
        std::fprintf(
            stderr,
            "vornela: the Inter font is missing (Debian package fonts-inter); using the default face\n");

    DesktopApp app;
    TerminationSignals termination([&app] { app.terminate(); });
    app.launch();
    return QApplication::exec();
}
