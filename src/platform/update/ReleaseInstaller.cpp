#include "platform/update/ReleaseInstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>
#include <sodium.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace vornela {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

ArchivePtr openArchive(const QString& path) {
    ArchivePtr reader(archive_read_new(), archive_read_free);
    archive_read_support_filter_gzip(reader.get());
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 64 * 1024) !=
        ARCHIVE_OK)
        return ArchivePtr(nullptr, archive_read_free);
    return reader;
}

// A member's path as it will sit under the new folder: relative, without "..", or nothing.
std::optional<QString> insidePath(const char* raw) {
    if (!raw || !*raw)
        return std::nullopt;
    const QString path = QString::fromUtf8(raw);
    if (path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    const QString clean = QDir::cleanPath(path);
    if (clean == QLatin1String("..") || clean.startsWith(QLatin1String("../")) ||
        clean.startsWith(QLatin1Char('/')))
        return std::nullopt;
    for (const QString& part : path.split(QLatin1Char('/')))
        if (part == QLatin1String(".."))
            return std::nullopt;
    return clean;
}

// A symlink's target, read from the folder of the link, must stay inside the new folder.
bool staysInside(const QString& linkPath, const char* target) {
    if (!target || !*target || target[0] == '/')
        return false;
    const QString from = QFileInfo(linkPath).path();
    const QString joined = QDir::cleanPath(from + QLatin1Char('/') + QString::fromUtf8(target));
    return joined != QLatin1String("..") && !joined.startsWith(QLatin1String("../"));
}

Failure unpackFailure(const std::string& why) {
    return Failure{"The update archive cannot be unpacked: " + why};
}

} // namespace

ReleaseInstaller::ReleaseInstaller(Layout layout, QByteArray publicKey,
                                   std::function<void(const QString&)> relaunch)
    : layout_(std::move(layout)), publicKey_(std::move(publicKey)), relaunch_(std::move(relaunch)) {}

std::optional<ReleaseInstaller::Layout> ReleaseInstaller::layoutFor(const QString& binary,
                                                                    const QString& version) {
    const QFileInfo info(binary);
    if (info.fileName() != QLatin1String("vornela") || info.dir().dirName() != QLatin1String("bin"))
        return std::nullopt;
    QDir up = info.dir();
    up.cdUp(); // the prefix, or a release folder inside it
    QString prefix = up.absolutePath();
    // <prefix>/lib/vornela/<version>/bin/vornela: a release put in place by an earlier update.
    const QFileInfo releases(QFileInfo(prefix).path());
    const QFileInfo lib(releases.path());
    if (releases.fileName() == QLatin1String("vornela") && lib.fileName() == QLatin1String("lib"))
        prefix = lib.path();
    // An install has its menu entry; a build folder does not.
    if (!QFileInfo(prefix + QStringLiteral("/share/applications")).isDir())
        return std::nullopt;
    return Layout{prefix, version, info.absoluteFilePath()};
}

Result<void> ReleaseInstaller::verify(const QString& archive, const UpdateRelease& release,
                                      const QByteArray& publicKey) {
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{"Could not read the download: " + text(file.errorString())};
    if (static_cast<std::uint64_t>(file.size()) != release.length)
        return Failure{"The download's length (" + std::to_string(file.size()) +
                       " bytes) does not match the update feed (" + std::to_string(release.length) +
                       " bytes)."};
    const QByteArray key =
        QByteArray::fromBase64(publicKey.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (key.size() != crypto_sign_PUBLICKEYBYTES || sodium_init() < 0)
        return Failure{"This build's update key is not valid."};
    const QByteArray signature = QByteArray::fromBase64(
        QByteArray::fromStdString(release.edSignature).trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (signature.size() != crypto_sign_BYTES)
        return Failure{"The update has no valid signature."};
    const QByteArray bytes = file.readAll();
    if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.constData()),
                                    reinterpret_cast<const unsigned char*>(bytes.constData()),
                                    static_cast<unsigned long long>(bytes.size()),
                                    reinterpret_cast<const unsigned char*>(key.constData())) != 0)
        return Failure{"The update's signature does not match: it was not signed with Vornela's key."};
    return {};
}

Result<void> ReleaseInstaller::unpack(const QString& archivePath, const QString& folder) {
    // First every member is looked at; nothing is written unless all of them are safe.
    {
        ArchivePtr reader = openArchive(archivePath);
        if (!reader)
            return unpackFailure("it is not a .tar.gz archive.");
        archive_entry* entry = nullptr;
        int members = 0;
        int status = ARCHIVE_OK;
        while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
            ++members;
            const char* raw = archive_entry_pathname(entry);
            const auto path = insidePath(raw);
            if (!path)
                return unpackFailure(std::string("the member \"") + (raw ? raw : "") +
                                     "\" points outside its folder.");
            const auto type = archive_entry_filetype(entry);
            if (const char* hardlink = archive_entry_hardlink(entry)) {
                if (!insidePath(hardlink))
                    return unpackFailure("the link \"" + text(*path) + "\" points outside its folder.");
            } else if (type == AE_IFLNK) {
                if (!staysInside(*path, archive_entry_symlink(entry)))
                    return unpackFailure("the link \"" + text(*path) + "\" points outside its folder.");
            } else if (type != AE_IFREG && type != AE_IFDIR) {
                return unpackFailure("the member \"" + text(*path) + "\" is not a file or a folder.");
            }
        }
        if (status != ARCHIVE_EOF || members == 0)
            return unpackFailure(status == ARCHIVE_EOF                ? "it is empty."
                                 : archive_error_string(reader.get()) ? archive_error_string(reader.get())
                                                                      : "it is damaged.");
    }

    ArchivePtr reader = openArchive(archivePath);
    ArchivePtr writer(archive_write_disk_new(), archive_write_free);
    if (!reader || !writer)
        return unpackFailure("it could not be opened again.");
    // Every path is made absolute below, inside the new folder, after the checks above.
    archive_write_disk_set_options(writer.get(), ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM |
                                                     ARCHIVE_EXTRACT_SECURE_NODOTDOT |
                                                     ARCHIVE_EXTRACT_SECURE_SYMLINKS);
    const QString base = QDir(folder).absolutePath() + QLatin1Char('/');
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const QByteArray target = QFile::encodeName(base + *insidePath(archive_entry_pathname(entry)));
        archive_entry_set_pathname(entry, target.constData());
        QByteArray hardTarget;
        if (const char* hardlink = archive_entry_hardlink(entry)) {
            hardTarget = QFile::encodeName(base + *insidePath(hardlink));
            archive_entry_set_hardlink(entry, hardTarget.constData());
        }
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK)
            return unpackFailure(archive_error_string(writer.get()));
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        int r = ARCHIVE_OK;
        while ((r = archive_read_data_block(reader.get(), &block, &size, &offset)) == ARCHIVE_OK)
            if (archive_write_data_block(writer.get(), block, size, offset) != ARCHIVE_OK)
                return unpackFailure(archive_error_string(writer.get()));
        if (r != ARCHIVE_EOF)
            return unpackFailure(archive_error_string(reader.get()) ? archive_error_string(reader.get())
                                                                    : "it is damaged.");
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK)
            return unpackFailure(archive_error_string(writer.get()));
    }
    if (status != ARCHIVE_EOF)
        return unpackFailure(archive_error_string(reader.get()) ? archive_error_string(reader.get())
                                                                : "it is damaged.");
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        return unpackFailure(archive_error_string(writer.get()));
    return {};
}

Result<void> ReleaseInstaller::install(const std::string& archive, const UpdateRelease& release) {
    const QString archivePath = QString::fromStdString(archive);
    // The download is not needed after this, whichever way it goes.
    struct Remove {
        QString path;
        ~Remove() { QFile::remove(path); }
    } removeArchive{archivePath};

    if (auto verified = verify(archivePath, release, publicKey_); !verified)
        return verified;
    const QString version = QString::fromStdString(release.version);
    if (version.isEmpty() || version.contains(QLatin1Char('/')) || version.startsWith(QLatin1Char('.')) ||
        version == layout_.version)
        return Failure{"The update's version \"" + release.version + "\" cannot name a folder."};
    QDir releases(layout_.releases());
    const QString incoming = releases.filePath(QStringLiteral(".incoming-") + version);
    QDir(incoming).removeRecursively();
    if (!QDir().mkpath(incoming))
        return Failure{"Could not make the folder " + text(incoming) + "."};
    if (auto unpacked = unpack(archivePath, incoming); !unpacked) {
        QDir(incoming).removeRecursively();
        return unpacked;
    }
    const QFileInfo newBinary(incoming + QStringLiteral("/bin/vornela"));
    if (!newBinary.isFile() || newBinary.isSymLink() || !newBinary.isExecutable()) {
        QDir(incoming).removeRecursively();
        return Failure{"The update archive holds no bin/vornela program."};
    }
    if (auto kept = keepRunningBinary(); !kept) {
        QDir(incoming).removeRecursively();
        return kept;
    }
    const QString folder = releases.filePath(version);
    QDir(folder).removeRecursively(); // a leftover of an earlier attempt: never the running one
    if (!releases.rename(QStringLiteral(".incoming-") + version, version)) {
        QDir(incoming).removeRecursively();
        return Failure{"Could not move the update into " + text(folder) + "."};
    }

    // One rename puts the new link where the old entry was: there is no moment without a Vornela.
    const QString link = layout_.link();
    const QString staged = QFileInfo(link).path() + QStringLiteral("/.vornela-switch");
    QFile::remove(staged);
    if (!QFile::link(QStringLiteral("../lib/vornela/") + version + QStringLiteral("/bin/vornela"), staged) ||
        std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(link).constData()) != 0) {
        QFile::remove(staged);
        return Failure{"Could not switch " + text(link) + " to the new version."};
    }
    return {};
}

Result<void> ReleaseInstaller::keepRunningBinary() {
    const QFileInfo link(layout_.link());
    if (link.isSymLink())
        return {}; // already a release folder of its own
    const QString kept =
        layout_.releases() + QLatin1Char('/') + layout_.version + QStringLiteral("/bin/vornela");
    if (QFileInfo::exists(kept))
        return {};
    QDir().mkpath(QFileInfo(kept).path());
    const QByteArray from = QFile::encodeName(link.absoluteFilePath());
    if (::link(from.constData(), QFile::encodeName(kept).constData()) != 0 &&
        !QFile::copy(link.absoluteFilePath(), kept))
        return Failure{"Could not keep the running version at " + text(kept) + "."};
    return {};
}

void ReleaseInstaller::startedOnce() {
    // Only the version the link starts clears up; an older one started by hand leaves things be.
    if (QFileInfo(layout_.link()).canonicalFilePath() != QFileInfo(layout_.binary).canonicalFilePath())
        return;
    const QString running = QFileInfo(layout_.binary).canonicalFilePath();
    QDir releases(layout_.releases());
    for (const QString& name : releases.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QDir folder(releases.filePath(name));
        if (!running.startsWith(folder.canonicalPath() + QLatin1Char('/')))
            folder.removeRecursively();
    }
}

void ReleaseInstaller::restart() {
    if (relaunch_)
        relaunch_(layout_.link());
}

} // namespace vornela
