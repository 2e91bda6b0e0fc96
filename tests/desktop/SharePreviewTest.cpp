#include "support/X11Probe.h"

#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/store/InMemoryPreferencesBackend.h"
#include "fakes/FakeDesktop.h"
#include "platform/share/LinuxShareServices.h"
#include "ui/activity/ShareCardSource.h"
#include "ui/activity/SharePreviewWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vornela {
namespace {

constexpr double now = 1780308000; // 2026-06-01

template <class W> W* shownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(widget); found && found->isVisible())
            return found;
    return nullptr;
}

int mode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// The app's share wiring on the real X server: the core's preview model over the Linux services
// and the preview window, on virtual time, with the temporary cards in a runtime directory of
// the test's own.
struct SharePreviewDesk {
    SharePreviewDesk() : previousRuntime(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        services.setWindow(&window);
    }
    ~SharePreviewDesk() { qputenv("XDG_RUNTIME_DIR", previousRuntime); }

    SharePreviewModel& model() { return core.sharePreview(); }
    // Opens the preview on a few days of scores and lets the first card render.
    void present() {
        model().presentSharePreview({{"2026-05-30", 80}, {"2026-05-31", 40}}, ActivityShareBackground::mono);
        scheduler.runDue();
        // Drawn on the services' own thread, handed back through the event loop.
        X11Probe::waitUntil([&] { return model().previewImage() != nullptr; });
    }

    QByteArray previousRuntime;
    QTemporaryDir runtime;
    Calendar calendar;
    ManualScheduler scheduler{now};
    InMemoryPreferencesBackend backend;
    fakes::FakeDesktop fakes;
    ShareCardSource cards{calendar};
    LinuxShareServices services{{std::ref(cards), [](const QImage& card) { return encodeJpeg(card); }}};
    VornelaCore core{CorePorts{scheduler, scheduler, calendar, backend, fakes.text, fakes.haptics,
                               fakes.system, fakes.screens, fakes.pointer, fakes.panels, fakes.measurer,
                               fakes.host, fakes.settings, fakes.onboarding, services, fakes.timeZone,
                               fakes.loginItem, nullptr}};
    SharePreviewWindow window{core.sharePreview(), &LinuxShareServices::pixels};
};

// The window maps at its size with its title, and Ctrl+C typed at it puts the card on the
// clipboard as JPEG bytes and as an image.
TEST(SharePreview, MapsAndCopiesTheCardWithCtrlC) {
    X11Probe probe;
    ASSERT_TRUE(probe.isConnected());
    SharePreviewDesk desk;
    desk.present();
    ASSERT_NE(desk.model().previewImage(), nullptr);
    const auto id = quint32(desk.window.winId());
    ASSERT_TRUE(X11Probe::waitUntil([&] { return probe.isViewable(id) && QApplication::activeWindow(); }));
    EXPECT_EQ(probe.geometry(id).size(), QSize(580, 640));
    EXPECT_EQ(probe.textProperty(id, QStringLiteral("_NET_WM_NAME")), QStringLiteral("Share Work Rhythm"));

    ASSERT_TRUE(X11Probe::key(QStringLiteral("ctrl+c")));
    ASSERT_TRUE(X11Probe::waitUntil([&] { return desk.model().didCopy(); }));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasImage());
    EXPECT_EQ(QImage::fromData(copied->data(QStringLiteral("image/jpeg")), "JPEG").size(), QSize(2022, 1674));
    EXPECT_EQ(desk.window.copyButton().text(), QStringLiteral("Copied"));
}

// Save goes through the dialog and writes a JPEG; a cancelled one shows nothing. The share
// file is private (0600 in a 0700 directory), offered as a file to copy, and gone on close.
TEST(SharePreview, SavesThroughTheDialogAndKeepsTheShareFilePrivate) {
    SharePreviewDesk desk;
    desk.present();
    QTemporaryDir target;
    const auto answerDialog = [](const QString& path) {
        QFileDialog* dialog = nullptr;
        if (!X11Probe::waitUntil([&] { return (dialog = shownWindow<QFileDialog>()) != nullptr; }))
            return false;
        EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                  QStringLiteral("Vornela-Work-Rhythm.jpg"));
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        }
        return true;
    };

    desk.window.saveButton().click();
    ASSERT_TRUE(answerDialog(target.filePath(QStringLiteral("card.jpg"))));
    EXPECT_TRUE(desk.model().didSave());
    EXPECT_EQ(QImage(target.filePath(QStringLiteral("card.jpg")), "JPEG").size(), QSize(2022, 1674));
    desk.scheduler.advance(2);
    desk.window.saveButton().click();
    ASSERT_TRUE(answerDialog({}));
    EXPECT_FALSE(desk.model().didSave());
    EXPECT_EQ(desk.window.saveButton().text(), QStringLiteral("Save…"));

    desk.window.shareButton().click();
    ASSERT_TRUE(desk.model().shareFilePath().has_value());
    const QString file = QString::fromStdString(*desk.model().shareFilePath());
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("^Vornela-Work-Rhythm-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.jpg$"))
                    .match(QFileInfo(file).fileName())
                    .hasMatch())
        << file.toStdString();
    EXPECT_TRUE(file.startsWith(desk.runtime.path() + QLatin1Char('/')));
    EXPECT_EQ(mode(file), 0600);
    EXPECT_EQ(mode(QFileInfo(file).absolutePath()), 0700);
    EXPECT_EQ(QImage(file, "JPEG").size(), QSize(2022, 1674));
    QMenu* menu = nullptr;
    ASSERT_TRUE(X11Probe::waitUntil([&] { return (menu = shownWindow<QMenu>()) != nullptr; }));
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("Copy File"))
            action->trigger();
    menu->close();
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->urls(), QList<QUrl>{QUrl::fromLocalFile(file)});

    desk.window.close();
    EXPECT_FALSE(desk.model().isOpen());
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
} // namespace vornela
