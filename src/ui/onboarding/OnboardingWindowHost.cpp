#include "ui/onboarding/OnboardingWindowHost.h"

#include "core/onboarding/OnboardingPage.h"
#include "ui/activity/ShareCardRenderer.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace vornela {

// The top-level window: reports the close button and activation to its host.
class OnboardingFrame : public QWidget {
public:
    explicit OnboardingFrame(OnboardingWindowHost& host) : QWidget(nullptr, Qt::Window), host_(host) {
        setObjectName(QStringLiteral("vornela-onboarding"));
        setWindowTitle(QStringLiteral("Welcome to Vornela"));
        setWindowIcon(QIcon(QPixmap::fromImage(applicationIcon(128))));
        layout_ = new QVBoxLayout(this);
        layout_->setContentsMargins(0, 0, 0, 0);
    }

    void setView(OnboardingView* view) {
        delete view_.data();
        view_ = view;
        layout_->addWidget(view);
        view->setFocus();
    }
    OnboardingView* view() const { return view_.data(); }

protected:
    void closeEvent(QCloseEvent* event) override {
        // Only the title bar's button asks the controller. The application quitting closes
        // every window too, and a refusal there would keep the process running.
        if (!event->spontaneous() || host_.frameShouldClose()) {
            event->accept();
            host_.frameWillClose();
        } else {
            event->ignore();
        }
    }
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            host_.frameBecameActive();
    }

private:
    OnboardingWindowHost& host_;
    QVBoxLayout* layout_;
    QPointer<OnboardingView> view_;
};

OnboardingWindowHost::OnboardingWindowHost() {
    heightAnimation_.setDuration(onboardingTheme::pageChangeMilliseconds());
    heightAnimation_.setEasingCurve(onboardingTheme::pageChangeCurve());
    QObject::connect(&heightAnimation_, &QVariantAnimation::valueChanged,
                     [this](const QVariant& value) { setHeight(value.toInt()); });
}

OnboardingWindowHost::~OnboardingWindowHost() {
    heightAnimation_.stop();
    delete frame_.data();
}

QWidget* OnboardingWindowHost::window() const {
    return frame_.data();
}

OnboardingView* OnboardingWindowHost::view() const {
    const OnboardingFrame* frame = frame_.data();
    return frame ? frame->view() : nullptr;
}

void OnboardingWindowHost::present(int, double height) {
    heightAnimation_.stop();
    const bool created = !frame_;
    if (created)
        frame_ = new OnboardingFrame(*this);
    OnboardingFrame* frame = frame_.data();
    setHeight(static_cast<int>(height));
    if (content_)
        frame->setView(new OnboardingView(content_()));
    if (created) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect placed(QPoint(0, 0), frame->size());
            placed.moveCenter(screen->availableGeometry().center());
            frame->move(placed.topLeft());
        }
    }
    frame->show();
    frame->raise();
    frame->activateWindow();
    if (frame->isActiveWindow())
        frameBecameActive();
}

void OnboardingWindowHost::resize(int, double height, bool animated) {
    OnboardingFrame* frame = frame_.data();
    if (!frame)
        return;
    heightAnimation_.stop();
    const int target = static_cast<int>(height);
    if (!animated || !frame->isVisible() || frame->height() == target) {
        setHeight(target);
        return;
    }
    heightAnimation_.setStartValue(frame->height());
    heightAnimation_.setEndValue(target);
    heightAnimation_.start();
}

void OnboardingWindowHost::setHeight(int height) {
    // A fixed size: the window is exactly as high as its page. Resizing without moving keeps
    // the top edge where it is.
    if (OnboardingFrame* frame = frame_.data())
        frame->setFixedSize(static_cast<int>(onboarding::windowWidth), height);
}

void OnboardingWindowHost::close() {
    OnboardingFrame* frame = frame_.data();
    if (!frame || !frame->isVisible())
        return;
    if (inCloseEvent_) {
        // Asked while the close button's question is being answered: the answer becomes yes.
        closeRequestedDuringCloseEvent_ = true;
        return;
    }
    frame->close();
}

bool OnboardingWindowHost::isVisible() const {
    const OnboardingFrame* frame = frame_.data();
    return frame && frame->isVisible();
}

bool OnboardingWindowHost::frameShouldClose() {
    inCloseEvent_ = true;
    closeRequestedDuringCloseEvent_ = false;
    const bool allowed = !onShouldClose || onShouldClose();
    inCloseEvent_ = false;
    return allowed || closeRequestedDuringCloseEvent_;
}

void OnboardingWindowHost::frameWillClose() {
    heightAnimation_.stop();
    if (onWillClose)
        onWillClose();
}

void OnboardingWindowHost::frameBecameActive() {
    if (onDidBecomeKey)
        onDidBecomeKey();
}

} // namespace vornela
