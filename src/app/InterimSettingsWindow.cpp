#include "app/InterimSettingsWindow.h"

#include "core/app/ApplicationHost.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornela {

InterimSettingsWindow::InterimSettingsWindow(ApplicationHost& host, std::function<void()> quit)
    : host_(host), quit_(std::move(quit)) {}

InterimSettingsWindow::~InterimSettingsWindow() {
    delete window_.data();
}

void InterimSettingsWindow::show() {
    if (!window_) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("vornela-settings"));
        window->setWindowTitle(QStringLiteral("Vornela Settings"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(28, 24, 28, 24);
        layout->setSpacing(16);
        auto* text =
            new QLabel(QStringLiteral("Goals, nudges and appearance settings come in a later version."));
        text->setWordWrap(true);
        text->setMinimumWidth(320);
        layout->addWidget(text);
        auto* quit = new QPushButton(QStringLiteral("Quit Vornela"));
        QObject::connect(quit, &QPushButton::clicked, window, [this] {
            if (quit_)
                quit_();
        });
        layout->addWidget(quit, 0, Qt::AlignRight);
        window_ = window;
    }
    QWidget* window = window_.data();
    window->show();
    window->raise();
    host_.activate();
}

bool InterimSettingsWindow::isVisible() const {
    const QWidget* window = window_.data();
    return window && window->isVisible();
}

} // namespace vornela
