#include "platform/share/LinuxShareServices.h"

#include <QClipboard>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace vornela {

namespace {

void warn(const QString& what) {
    std::fprintf(stderr, "vornela: %s\n", qPrintable(what));
}

// Whole or not at all: a reader never sees half a JPEG. `why` says what went wrong.
bool writeAtomically(const QString& path, const QByteArray& bytes, bool ownerOnly, QString& why) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        why = file.errorString();
        return false;
    }
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        why = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        why = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        why = file.errorString();
        return false;
    }
    return true;
}

QString picturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

LinuxShareServices::LinuxShareServices(Drawing drawing) : drawing_(std::move(drawing)) {
    drawer_.setMaxThreadCount(1);
}

LinuxShareServices::~LinuxShareServices() = default;

QImage LinuxShareServices::pixels(const ShareCardImage& image) {
    const auto* card = dynamic_cast<const Card*>(&image);
    return card ? card->image : QImage();
}

std::optional<QByteArray> LinuxShareServices::jpeg(const ShareCardImage& image) const {
    const QImage card = pixels(image);
    if (card.isNull() || !drawing_.jpeg)
        return std::nullopt;
    return drawing_.jpeg(card);
}

void LinuxShareServices::renderCard(const IntMap& history, ActivityShareBackground background, double now,
                                    std::function<void(ShareCardImagePtr)> done) {
    if (!drawing_.render) {
        done(nullptr);
        return;
    }
    drawer_.start([this, history, background, now, done = std::move(done)]() mutable {
        QImage image = drawing_.render(history, background, now);
        ShareCardImagePtr card = image.isNull() ? nullptr : std::make_shared<const Card>(std::move(image));
        QMetaObject::invokeMethod(
            &context_, [card = std::move(card), done = std::move(done)] { done(card); },
            Qt::QueuedConnection);
    });
}

void LinuxShareServices::copy(const ShareCardImage& image) {
    auto* mime = new QMimeData;
    if (const std::optional<QByteArray> bytes = jpeg(image))
        mime->setData(QStringLiteral("image/jpeg"), *bytes);
    // Programs that paste only PNG get the image too.
    mime->setImageData(pixels(image));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void LinuxShareServices::save(const ShareCardImage& image, std::function<void(bool saved)> completion) {
    std::optional<QByteArray> bytes = jpeg(image);
    if (!bytes) {
        warn(QStringLiteral("could not encode the share card as JPEG"));
        completion(false);
        return;
    }
    auto* dialog = new QFileDialog(window_.data(), QStringLiteral("Save Share Card"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setMimeTypeFilters({QStringLiteral("image/jpeg")});
    dialog->setDefaultSuffix(QStringLiteral("jpg"));
    dialog->setDirectory(picturesFolder());
    dialog->selectFile(QString::fromLatin1(savedFileName));
    QObject::connect(
        dialog, &QFileDialog::finished, &context_,
        [dialog, bytes = std::move(*bytes), completion = std::move(completion)](int result) {
            const QStringList chosen = dialog->selectedFiles();
            if (result != QDialog::Accepted || chosen.isEmpty()) {
                completion(false);
                return;
            }
            QString why;
            const bool written = writeAtomically(chosen.constFirst(), bytes, false, why);
            if (!written)
                warn(QStringLiteral("could not save the share card to %1: %2").arg(chosen.constFirst(), why));
            completion(written);
        });
    dialog->open();
}

QString LinuxShareServices::temporaryDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir = !runtime.isEmpty() && QFileInfo(runtime).isDir()
                            ? runtime + QStringLiteral("/vornela-share")
                            : QDir::tempPath() + QStringLiteral("/vornela-share-%1").arg(::getuid());
    const QByteArray native = QFile::encodeName(dir);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        warn(QStringLiteral("cannot create %1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno))));
        return {};
    }
    // The cards hold health data: only a directory of ours, closed to everyone else, will do.
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        warn(QStringLiteral("%1 is not a directory of this user's; no temporary share card").arg(dir));
        return {};
    }
    if ((info.st_mode & 07777) != 0700 && ::chmod(native.constData(), 0700) != 0) {
        warn(QStringLiteral("cannot make %1 private: %2")
                 .arg(dir, QString::fromLocal8Bit(std::strerror(errno))));
        return {};
    }
    return dir;
}

std::optional<std::string> LinuxShareServices::writeTemporaryJpeg(const ShareCardImage& image) {
    const std::optional<QByteArray> bytes = jpeg(image);
    const QString dir = bytes ? temporaryDirectory() : QString();
    if (dir.isEmpty())
        return std::nullopt;
    const QString path = QStringLiteral("%1/Vornela-Work-Rhythm-%2.jpg")
                             .arg(dir, QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    QString why;
    if (!writeAtomically(path, *bytes, true, why)) {
        warn(QStringLiteral("could not write %1: %2").arg(path, why));
        return std::nullopt;
    }
    return QFile::encodeName(path).toStdString();
}

void LinuxShareServices::removeFile(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.remove() && file.exists())
        warn(QStringLiteral("could not remove %1: %2").arg(file.fileName(), file.errorString()));
}

void LinuxShareServices::share(const ShareItem& item, const Rect& anchor) {
    QWidget* window = window_.data();
    auto* menu = new QMenu(window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (const auto* file = std::get_if<std::string>(&item)) {
        const QString path = QFile::decodeName(file->c_str());
        menu->addAction(QStringLiteral("Open in Image Viewer"), &context_, [path] {
            if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
                warn(QStringLiteral("no program opened %1").arg(path));
        });
        menu->addAction(QStringLiteral("Attach to New Email"), &context_, [path] {
            if (!QProcess::startDetached(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), path}))
                warn(QStringLiteral("cannot start xdg-email (xdg-utils) to attach %1").arg(path));
        });
        menu->addAction(QStringLiteral("Show in File Manager"), &context_,
                        [this, path] { showInFileManager(path); });
        menu->addAction(QStringLiteral("Copy File"), &context_, [path] {
            auto* mime = new QMimeData;
            mime->setUrls({QUrl::fromLocalFile(path)});
            QGuiApplication::clipboard()->setMimeData(mime);
        });
    } else if (const auto* image = std::get_if<ShareCardImagePtr>(&item); image && *image) {
        menu->addAction(QStringLiteral("Copy Image"), &context_, [this, card = *image] { copy(*card); });
    }
    // Below the anchor, as a menu drops from a button.
    const QPoint below(int(anchor.x), int(anchor.y + anchor.height));
    menu->popup(window ? window->mapToGlobal(below) : QCursor::pos());
}

void LinuxShareServices::showInFileManager(const QString& path) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 5000), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_,
                     [path](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         if (!w->isError())
                             return;
                         // No file manager on the bus: at least open the folder.
                         const QString folder = QFileInfo(path).absolutePath();
                         if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
                             warn(QStringLiteral("no file manager could show %1").arg(path));
                     });
}

} // namespace vornela
