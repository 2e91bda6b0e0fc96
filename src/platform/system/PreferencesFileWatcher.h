#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <functional>

namespace vornela {

// Reports outside changes to one file. The file is saved by writing a temp file and renaming it
// over, which replaces the inode the watch was on, so the watch is renewed after every change.
// Also catches the file (or its directory) appearing later. At most one call per event-loop turn.
class PreferencesFileWatcher : public QObject {
    Q_OBJECT
public:
    PreferencesFileWatcher(QString filePath, std::function<void()> onChanged);

    QString filePath() const { return filePath_; }

private:
    struct Identity {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNanos = 0;
        bool operator==(const Identity&) const = default;
    };

    Identity readIdentity() const;
    void rewatch();
    void fileChanged();
    void directoryChanged();
    void notifySoon();

    QString filePath_;
    QString directoryPath_;
    std::function<void()> onChanged_;
    QFileSystemWatcher watcher_;
    Identity identity_;
    bool notifyQueued_ = false;
};

} // namespace vornela
