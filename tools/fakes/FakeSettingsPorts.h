#pragma once

#include "core/app/LoginItemPort.h"
#include "core/app/UpdaterPort.h"

#include <string>

namespace vornela::fakes {

// An updater that remembers its two switches and counts checks; `own` false plays a build
// without a feed.
class FakeUpdater : public UpdaterPort {
public:
    bool canCheckForUpdates() const override { return own && !checking; }
    void checkForUpdates() override { ++checks; }
    bool hasOwnUpdater() const override { return own; }
    std::string unavailableReason() const override { return own ? "" : reason; }
    bool automaticallyChecksForUpdates() const override { return autoCheck; }
    void setAutomaticallyChecksForUpdates(bool on) override { autoCheck = on; }
    bool automaticallyDownloadsUpdates() const override { return autoInstall; }
    void setAutomaticallyDownloadsUpdates(bool on) override { autoInstall = on; }
    std::string statusText() const override { return status; }
    double downloadProgress() const override { return progress; }
    bool readyToRestart() const override { return ready; }
    void installUpdate() override { answers += "install "; }
    void remindLater() override { answers += "later "; }
    void skipThisVersion() override { answers += "skip "; }
    void restartToUpdate() override { answers += "restart "; }

    bool own = true;
    bool checking = false;
    bool autoCheck = true;
    bool autoInstall = false;
    int checks = 0;
    std::string status;
    double progress = -1;
    bool ready = false;
    // The dialog's answers, in order.
    std::string answers;
    std::string reason = "This build has no update feed.";
};

// A login entry in memory; a non-empty `failure` refuses every change with that text.
class FakeLoginItem : public LoginItemPort {
public:
    bool isEnabled() const override { return enabled; }
    std::string setEnabled(bool on) override {
        if (!failure.empty())
            return failure;
        enabled = on;
        return {};
    }
    bool enabled = false;
    std::string failure;
};

} // namespace vornela::fakes
