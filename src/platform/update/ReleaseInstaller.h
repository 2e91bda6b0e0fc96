#pragma once

#include "core/app/UpdateServices.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace vornela {

// Puts a verified release archive in place beside a home install and switches over to it.
//
// A release archive holds an install prefix (bin/vornela, share/…). Each release is unpacked into
// <prefix>/lib/vornela/<version>/, and <prefix>/bin/vornela, the path the menu entry and the
// autostart entry start, becomes a symlink to the release's binary: renaming a new link over it
// switches versions in one step. The first update of a plain `cmake --install` keeps the old
// binary as <prefix>/lib/vornela/<old version>/bin/vornela. The version switched away from stays
// until the new one has started once, so a release that cannot start leaves a way back.
class ReleaseInstaller final : public UpdateInstaller {
public:
    struct Layout {
        QString prefix;  // <prefix>/bin/vornela is what gets switched
        QString version; // the running version
        QString binary;  // the running binary, symlinks resolved
        QString link() const { return prefix + QStringLiteral("/bin/vornela"); }
        QString releases() const { return prefix + QStringLiteral("/lib/vornela"); }
    };

    // `publicKey` is the base64 ed25519 key; `relaunch` starts the binary at the given path once
    // this process has ended, and ends it.
    ReleaseInstaller(Layout layout, QByteArray publicKey, std::function<void(const QString&)> relaunch);

    Result<void> install(const std::string& archive, const UpdateRelease& release) override;
    void restart() override;

    // Called once the running version is up: the version it replaced is no longer needed.
    void startedOnce();

    // The layout of a home install around `binary`, or nothing when it is not one (a binary run
    // from its build folder, say).
    static std::optional<Layout> layoutFor(const QString& binary, const QString& version);

    // The steps, each with its own message.
    static Result<void> verify(const QString& archive, const UpdateRelease& release,
                               const QByteArray& publicKey);
    static Result<void> unpack(const QString& archive, const QString& folder);

private:
    Result<void> keepRunningBinary();

    Layout layout_;
    QByteArray publicKey_;
    std::function<void(const QString&)> relaunch_;
};

} // namespace vornela
