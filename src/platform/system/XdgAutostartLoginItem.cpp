#include "platform/system/XdgAutostartLoginItem.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace vornela {

namespace {

// One argument of an Exec line: quoted when the desktop would otherwise split or expand it, then
// escaped as a string value, with % doubled so it is not read as a field code.
QString execArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted = argument;
    if (std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); })) {
        quoted.clear();
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return quoted;
}

std::string failure(const char* what, const QString& path, const QString& why) {
    return (QString::fromLatin1(what) + QLatin1Char(' ') + path + QStringLiteral(": ") + why).toStdString();
}

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(QString directory, const QString& applicationId, QString program)
    : directory_(std::move(directory)),
      entryPath_(directory_ + QLatin1Char('/') + applicationId + QStringLiteral(".desktop")),
      applicationId_(applicationId), program_(std::move(program)) {}

QString XdgAutostartLoginItem::defaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

bool XdgAutostartLoginItem::isEnabled() const {
    QFile file(entryPath_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // Desktops also honour an entry that is present but hidden or switched off.
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && (line == QStringLiteral("Hidden=true") ||
                             line == QStringLiteral("X-GNOME-Autostart-enabled=false")))
            return false;
    }
    return true;
}

std::string XdgAutostartLoginItem::setEnabled(bool enabled) {
    if (!enabled) {
        QFile file(entryPath_);
        if (file.exists() && !file.remove())
            return failure("Could not remove", entryPath_, file.errorString());
        return {};
    }
    if (!QDir().mkpath(directory_))
        return failure("Could not create the folder", directory_, QStringLiteral("not a writable folder"));
    const QString entry =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Vornela\n"
                       "Comment=Gentle nudges to drink water, rest your eyes, stand and move\n"
                       "Exec=%1\n"
                       "Icon=%2\n"
                       "Terminal=false\n"
                       "X-GNOME-Autostart-enabled=true\n")
            .arg(execArgument(program_), applicationId_);
    // Written whole or not at all: a half-written entry would start nothing at the next login.
    QSaveFile file(entryPath_);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit())
        return failure("Could not write", entryPath_, file.errorString());
    return {};
}

} // namespace vornela
