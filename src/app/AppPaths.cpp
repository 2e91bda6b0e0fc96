#include "app/AppPaths.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace vornela {

QString AppPaths::runtimeDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    const QString fallback = QStringLiteral("/tmp/vornela-%1").arg(getuid());
    QDir().mkpath(fallback);
    ::chmod(fallback.toLocal8Bit().constData(), 0700);
    return fallback;
}

} // namespace vornela
