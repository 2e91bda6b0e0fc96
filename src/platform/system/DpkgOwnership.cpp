#include "platform/system/DpkgOwnership.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace vornela {

namespace {

bool lists(const QString& listFile, const QSet<QByteArray>& paths) {
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (paths.contains(line))
            return true;
    }
    return false;
}

} // namespace

QString DpkgOwnership::owningPackage(const QString& path, const QString& database) {
    QSet<QByteArray> paths;
    for (const QString& candidate :
         {QFileInfo(path).absoluteFilePath(), QFileInfo(path).canonicalFilePath()}) {
        if (candidate.isEmpty())
            continue;
        paths.insert(QFile::encodeName(candidate));
        if (candidate.startsWith(QStringLiteral("/usr/")))
            paths.insert(QFile::encodeName(candidate.mid(4)));
    }

    const QDir dir(database);
    // Our own package first: most often the answer, and it spares reading a thousand lists.
    QStringList names =
        dir.entryList({QStringLiteral("vornela.list"), QStringLiteral("vornela:*.list")}, QDir::Files);
    for (const QString& name : dir.entryList({QStringLiteral("*.list")}, QDir::Files))
        if (!names.contains(name))
            names.append(name);
    for (const QString& name : names) {
        if (lists(dir.filePath(name), paths))
            return name.chopped(5).section(QLatin1Char(':'), 0, 0);
    }
    return {};
}

} // namespace vornela
