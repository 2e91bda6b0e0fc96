#include "ui/updates/UpdateDialog.h"

#include "fakes/FakeSettingsPorts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vornela {
namespace {

UpdateRelease release() {
    UpdateRelease r;
    r.version = "2.0";
    r.releaseNotes = "<b>Faster</b> start.";
    return r;
}

TEST(UpdateDialog, OffersTheReleaseThenShowsTheDownloadAndARestart) {
    fakes::FakeUpdater updater;
    UpdateDialog dialog(updater, "1.0");
    dialog.present(release());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.detail()->text(), QStringLiteral("Vornela 2.0 is available — you have 1.0."));
    EXPECT_EQ(dialog.notes()->toPlainText(), QStringLiteral("<b>Faster</b> start."))
        << "notes stay plain text";
    EXPECT_TRUE(dialog.progress()->isHidden());

    dialog.installButton()->click();
    EXPECT_EQ(updater.answers, "install ");
    updater.progress = 0.25;
    updater.status = "Downloading Vornela 2.0…";
    updater.checking = true;
    updater.changed.emit();
    EXPECT_FALSE(dialog.progress()->isHidden());
    EXPECT_EQ(dialog.progress()->value(), 250);
    EXPECT_FALSE(dialog.installButton()->isEnabled());
    EXPECT_TRUE(dialog.skipButton()->isHidden());

    updater.progress = -1;
    updater.ready = true;
    updater.status = "Vornela 2.0 is installed. Restart Vornela to use it.";
    updater.changed.emit();
    EXPECT_TRUE(dialog.progress()->isHidden());
    EXPECT_EQ(dialog.status()->text(),
              QStringLiteral("Vornela 2.0 is installed. Restart Vornela to use it."));
    EXPECT_EQ(dialog.installButton()->text(), QStringLiteral("Restart Now"));
    dialog.installButton()->click();
    EXPECT_EQ(updater.answers, "install restart ");
}

TEST(UpdateDialog, SkipAndLaterAnswerTheOfferAndAFailedDownloadSaysWhy) {
    fakes::FakeUpdater updater;
    UpdateDialog dialog(updater, "1.0");
    dialog.present(release());
    dialog.skipButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    dialog.present(release());
    dialog.laterButton()->click();
    EXPECT_EQ(updater.answers, "skip later ");

    dialog.present(release());
    EXPECT_TRUE(dialog.status()->isHidden()) << "an earlier check's words are not the offer's";
    dialog.installButton()->click();
    updater.status = "The update's signature does not match: it was not signed with Vornela's key.";
    updater.changed.emit();
    EXPECT_EQ(dialog.status()->text().toStdString(), updater.status);
    EXPECT_EQ(dialog.laterButton()->text(), QStringLiteral("Close"));
}

} // namespace
} // namespace vornela
