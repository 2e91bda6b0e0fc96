#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace vornela::testing {

// Writes `bytes` to `path`, making its folder first.
inline bool writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
           (!executable || file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?");
}

// How editors, KDE and the preferences store save: a new file renamed over the old one.
inline bool renameOver(const QString& path, const QByteArray& bytes) {
    const QString temp = path + QStringLiteral(".new");
    return writeFile(temp, bytes) &&
           std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) == 0;
}

} // namespace vornela::testing
