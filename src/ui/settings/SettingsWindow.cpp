#include "ui/settings/SettingsWindow.h"

#include "core/base/SystemPreferences.h"
#include "core/settings/SettingsWindowModel.h"
#include "ui/base/ToggleSwitch.h"
#include "ui/base/Typography.h"
#include "ui/settings/GeneralSettingsPane.h"
#include "ui/settings/NudgesSettingsPane.h"
#include "ui/settings/SettingsSidebar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vornela {

namespace {

// A pane in a scroll area that shows the window colour behind it.
QScrollArea* scrolling(QWidget* pane) {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(24, 4, 24, 24);
    layout->addWidget(pane);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setBackgroundRole(QPalette::Window);
    scroll->viewport()->setBackgroundRole(QPalette::Window);
    scroll->setWidget(holder);
    return scroll;
}

} // namespace

SettingsWindow::SettingsWindow(SettingsServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(std::move(services)) {
    setObjectName(QStringLiteral("vornela-settings"));
    setWindowTitle(QStringLiteral("Settings"));
    setMinimumSize(minimumSize);
    resize(defaultSize);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    sidebar_ = new SettingsSidebar(services_.model);
    layout->addWidget(sidebar_);

    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    title_ = new QLabel;
    title_->setFont(interfaceFont(20, FontWeight::semibold));
    title_->setContentsMargins(28, 18, 28, 10);
    title_->setAccessibleName({});
    contentLayout->addWidget(title_);
    stack_ = new QStackedWidget;
    general_ = new GeneralSettingsPane(services_);
    nudges_ = new NudgesSettingsPane(services_);
    stack_->addWidget(scrolling(general_));
    stack_->addWidget(scrolling(nudges_));
    contentLayout->addWidget(stack_, 1);
    layout->addWidget(content, 1);

    showPane();
    selection_ = services_.model.selection().observe([this](const SettingsPane&) { showPane(); });
    followReduceMotion(services_.system.reduceMotion.get());
    reduceMotion_ = services_.system.reduceMotion.observe([this](const bool& on) { followReduceMotion(on); });
}

void SettingsWindow::followReduceMotion(bool on) {
    for (ToggleSwitch* toggle : findChildren<ToggleSwitch*>())
        toggle->setAnimated(!on);
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::showPane() {
    const SettingsPane pane = services_.model.selection().get();
    const auto name = title(pane);
    title_->setText(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    stack_->setCurrentIndex(pane == SettingsPane::general ? 0 : 1);
}

void SettingsWindow::present() {
    services_.model.willShow();
    general_->refreshLoginItem();
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    services_.model.didClose();
    event->accept();
}

} // namespace vornela
