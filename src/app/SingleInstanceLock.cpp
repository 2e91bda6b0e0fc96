#include "app/SingleInstanceLock.h"

#include "app/AppPaths.h"
#include "core/app/BuildInfo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>

namespace vornela {

namespace {

Failure failure(const char* what, const QString& path, int error) {
    return Failure{std::string(what) + ' ' + path.toLocal8Bit().constData() + ": " + std::strerror(error)};
}

} // namespace

SingleInstanceLock::SingleInstanceLock(QString path) : path_(std::move(path)) {}

QString SingleInstanceLock::defaultPath() {
    return AppPaths::runtimeDirectory() + QLatin1Char('/') + QString::fromLatin1(build::applicationId) +
           QStringLiteral(".lock");
}

Result<bool> SingleInstanceLock::acquire() {
    if (fd_)
        return true;
    UniqueFd fd(::open(path_.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd)
        return failure("cannot open", path_, errno);
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return false;
        return failure("cannot lock", path_, errno);
    }
    fd_ = std::move(fd);
    return true;
}

} // namespace vornela
