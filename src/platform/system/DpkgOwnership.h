#pragma once

#include <QString>

namespace vornela {

// Whether a file was installed by dpkg. dpkg keeps the files of each installed package in its
// database folder as <package>.list (<package>:<arch>.list for a multi-arch one), one path a line.
struct DpkgOwnership {
    static QString defaultDatabase() { return QStringLiteral("/var/lib/dpkg/info"); }

    // The package that owns `path`, or empty. Symlinks are resolved, and a merged /usr is taken
    // into account (a package may list /bin/x for what runs as /usr/bin/x).
    static QString owningPackage(const QString& path, const QString& database = defaultDatabase());
};

} // namespace vornela
