#include "app/SingleInstanceLock.h"

#include "app/AppPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vornela {

SingleInstanceLock::SingleInstanceLock(QString path) : path_(std::move(path)) {}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

QString SingleInstanceLock::defaultPath() {
    return AppPaths::runtimeDirectory() + QStringLiteral("/vornela.lock");
}

bool SingleInstanceLock::acquire() {
    if (fd_ >= 0)
        return true;
    const int fd = ::open(path_.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error_ =
            QStringLiteral("cannot open %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            error_ =
                QStringLiteral("cannot lock %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

} // namespace vornela
