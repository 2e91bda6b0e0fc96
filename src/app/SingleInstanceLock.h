#pragma once

#include "core/base/Result.h"
#include "core/base/UniqueFd.h"

#include <QString>

namespace vornela {

// One Vornela per user session: an advisory lock on a file in the session's runtime directory.
// The kernel drops the lock when the process ends, however it ends, so a crash never leaves a
// stale lock behind.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(QString path);

    // True when this process now holds the lock, false when another one does; a failure when the
    // lock file cannot be opened or locked.
    Result<bool> acquire();
    static QString defaultPath();

private:
    QString path_;
    UniqueFd fd_;
};

} // namespace vornela
