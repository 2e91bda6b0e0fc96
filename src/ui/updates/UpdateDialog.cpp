#include "ui/updates/UpdateDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace vornela {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

UpdateDialog::UpdateDialog(UpdaterPort& updater, std::string runningVersion, QWidget* parent)
    : QDialog(parent), updater_(updater), runningVersion_(std::move(runningVersion)) {
    setWindowTitle(QStringLiteral("Software Update"));
    auto* layout = new QVBoxLayout(this);
    headline_ = new QLabel(this);
    QFont bold = headline_->font();
    bold.setBold(true);
    headline_->setFont(bold);
    detail_ = new QLabel(this);
    notes_ = new QPlainTextEdit(this);
    // Notes are shown as the text they are: a feed cannot make this window load anything.
    notes_->setReadOnly(true);
    notes_->setMinimumSize(420, 180);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    skip_ = new QPushButton(QStringLiteral("Skip This Version"), this);
    later_ = new QPushButton(QStringLiteral("Later"), this);
    install_ = new QPushButton(QStringLiteral("Install"), this);
    install_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(skip_);
    buttons->addStretch(1);
    buttons->addWidget(later_);
    buttons->addWidget(install_);
    layout->addWidget(headline_);
    layout->addWidget(detail_);
    layout->addWidget(notes_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(skip_, &QPushButton::clicked, this, [this] {
        updater_.skipThisVersion();
        hide();
    });
    connect(later_, &QPushButton::clicked, this, [this] {
        if (!installing_)
            updater_.remindLater();
        hide();
    });
    connect(install_, &QPushButton::clicked, this, [this] {
        if (updater_.readyToRestart())
            return updater_.restartToUpdate();
        installing_ = true;
        updater_.installUpdate();
        refresh();
    });
    changes_ = updater_.changed.connect([this] { refresh(); });
}

void UpdateDialog::present(const UpdateRelease& release) {
    installing_ = false;
    headline_->setText(QStringLiteral("A new version of Vornela is available!"));
    detail_->setText(QStringLiteral("Vornela %1 is available — you have %2.")
                         .arg(qs(release.version), qs(runningVersion_)));
    notes_->setPlainText(release.releaseNotes.empty() ? QStringLiteral("No release notes.")
                                                      : qs(release.releaseNotes));
    refresh();
    show();
    raise();
    activateWindow();
}

void UpdateDialog::refresh() {
    const double fraction = updater_.downloadProgress();
    const bool downloading = installing_ && fraction >= 0;
    const bool ready = updater_.readyToRestart();
    progress_->setVisible(downloading);
    progress_->setValue(static_cast<int>(std::lround(std::max(0.0, fraction) * 1000)));
    status_->setText(installing_ || ready ? qs(updater_.statusText()) : QString());
    status_->setVisible(!status_->text().isEmpty());
    skip_->setVisible(!installing_ && !ready);
    install_->setText(ready ? QStringLiteral("Restart Now") : QStringLiteral("Install"));
    install_->setEnabled(ready || (!installing_ && updater_.canCheckForUpdates()));
    // A failed download leaves the dialog to say why; the offer itself is gone.
    if (installing_ && !downloading && !ready && updater_.canCheckForUpdates())
        later_->setText(QStringLiteral("Close"));
    else
        later_->setText(QStringLiteral("Later"));
}

} // namespace vornela
