#pragma once

#include "core/app/UpdaterPort.h"

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vornela {

// The offer of a newer release: its version and notes, Install / Later / Skip This Version, then
// the download's progress and, once the new version is in place, a restart. What it shows comes
// from the updater at every change; the dialog keeps only the release it was shown with.
class UpdateDialog : public QDialog {
public:
    UpdateDialog(UpdaterPort& updater, std::string runningVersion, QWidget* parent = nullptr);

    void present(const UpdateRelease& release);

    QLabel* headline() const { return headline_; }
    QLabel* detail() const { return detail_; }
    QPlainTextEdit* notes() const { return notes_; }
    QProgressBar* progress() const { return progress_; }
    QLabel* status() const { return status_; }
    QPushButton* installButton() const { return install_; }
    QPushButton* laterButton() const { return later_; }
    QPushButton* skipButton() const { return skip_; }

private:
    void refresh();

    UpdaterPort& updater_;
    std::string runningVersion_;
    bool installing_ = false;
    QLabel* headline_;
    QLabel* detail_;
    QPlainTextEdit* notes_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* skip_;
    QPushButton* later_;
    QPushButton* install_;
    Subscription changes_;
};

} // namespace vornela
