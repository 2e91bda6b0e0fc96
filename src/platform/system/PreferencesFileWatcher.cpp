#include "platform/system/PreferencesFileWatcher.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace vornela {

PreferencesFileWatcher::PreferencesFileWatcher(QString filePath, std::function<void()> onChanged)
    : filePath_(QFileInfo(filePath).absoluteFilePath()), onChanged_(std::move(onChanged)) {
    directoryPath_ = QFileInfo(filePath_).absolutePath();
    identity_ = readIdentity();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { fileChanged(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { directoryChanged(); });
    rewatch();
}

PreferencesFileWatcher::Identity PreferencesFileWatcher::readIdentity() const {
    struct stat info {};
    if (::stat(QFile::encodeName(filePath_).constData(), &info) != 0)
        return {};
    Identity identity;
    identity.exists = true;
    identity.device = static_cast<quint64>(info.st_dev);
    identity.inode = static_cast<quint64>(info.st_ino);
    identity.size = static_cast<qint64>(info.st_size);
    identity.modifiedNanos =
        static_cast<qint64>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec;
    return identity;
}

// Watches the file if it exists, and the nearest existing folder on its path, so that the
// directory (and then the file) appearing later is noticed too.
void PreferencesFileWatcher::rewatch() {
    QString folder = directoryPath_;
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    const QStringList directories = watcher_.directories();
    for (const QString& watched : directories) {
        if (watched != folder)
            watcher_.removePath(watched);
    }
    if (QFileInfo(folder).isDir() && !directories.contains(folder))
        watcher_.addPath(folder);
    if (QFileInfo::exists(filePath_) && !watcher_.files().contains(filePath_))
        watcher_.addPath(filePath_);
}

void PreferencesFileWatcher::fileChanged() {
    // The watch goes with the old inode on a rename-over: renew it on the new file.
    rewatch();
    identity_ = readIdentity();
    notifySoon();
}

void PreferencesFileWatcher::directoryChanged() {
    rewatch();
    // Other files come and go in the folder (the saver's temp files): only our file counts.
    const Identity now = readIdentity();
    if (now == identity_)
        return;
    identity_ = now;
    notifySoon();
}

void PreferencesFileWatcher::notifySoon() {
    if (notifyQueued_)
        return;
    notifyQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            notifyQueued_ = false;
            if (onChanged_)
                onChanged_();
        },
        Qt::QueuedConnection);
}

} // namespace vornela
