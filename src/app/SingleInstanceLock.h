#pragma once

#include <QString>

namespace vornela {

// One Vornela per user session: an advisory lock on a file in the session's runtime directory.
// The kernel drops the lock when the process ends, however it ends, so a crash never leaves a
// stale lock behind.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(QString path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process now holds the lock; false when another one does (or the lock file
    // cannot be opened, with the reason in error()).
    bool acquire();
    const QString& error() const { return error_; }
    static QString defaultPath();

private:
    QString path_;
    QString error_;
    int fd_ = -1;
};

} // namespace vornela
