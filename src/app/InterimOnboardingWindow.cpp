#include "app/InterimOnboardingWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornela {

InterimOnboardingWindow::~InterimOnboardingWindow() {
    delete window_.data();
}

void InterimOnboardingWindow::present() {
    if (!window_) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("vornela-onboarding"));
        window->setWindowTitle(QStringLiteral("Welcome to Vornela"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(28, 24, 28, 24);
        layout->setSpacing(16);
        auto* text = new QLabel(QStringLiteral(
            "Vornela lives in the black shape at the top of your screen and nudges you to drink water, "
            "rest your eyes, move, sit well and have lunch.\n\n"
            "Choosing your own goals and schedules comes in a later version. For now Vornela starts "
            "with its default goals; hover the shape at any time to see your day."));
        text->setWordWrap(true);
        text->setMinimumWidth(360);
        layout->addWidget(text);
        auto* button = new QPushButton(QStringLiteral("Finish"));
        button->setDefault(true);
        QObject::connect(button, &QPushButton::clicked, window, [this] {
            if (onFinishRequested)
                onFinishRequested();
        });
        layout->addWidget(button, 0, Qt::AlignRight);
        window_ = window;
    }
    QWidget* window = window_.data();
    window->show();
    window->raise();
    window->activateWindow();
    // The interim window counts as key once shown; the real one will report its activation.
    if (onDidBecomeKey)
        onDidBecomeKey();
}

void InterimOnboardingWindow::close() {
    if (QWidget* window = window_.data())
        window->close();
}

bool InterimOnboardingWindow::isVisible() const {
    const QWidget* window = window_.data();
    return window && window->isVisible();
}

} // namespace vornela
