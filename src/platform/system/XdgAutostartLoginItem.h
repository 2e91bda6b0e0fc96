#pragma once

#include "core/app/LoginItemPort.h"

#include <QString>

namespace vornela {

// Starting at login through the XDG autostart convention: a desktop entry named after the
// application id in the autostart folder, which every XDG desktop starts at login. The state is
// the file's, read each time, so an entry removed or hidden by hand reads as off.
class XdgAutostartLoginItem final : public LoginItemPort {
public:
    // `program` is what the entry starts: the running binary's own path.
    XdgAutostartLoginItem(QString directory, const QString& applicationId, QString program);

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when it is unset.
    static QString defaultDirectory();

    bool isEnabled() const override;
    std::string setEnabled(bool enabled) override;

    QString entryPath() const { return entryPath_; }

private:
    QString directory_;
    QString entryPath_;
    QString applicationId_;
    QString program_;
};

} // namespace vornela
