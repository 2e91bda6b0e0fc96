#include "platform/screen/QtScreenSource.h"

#include "platform/screen/CoordinateSpace.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace vornela {

QtScreenSource::QtScreenSource(NotchDetector detector, QObject* parent)
    : QObject(parent), detector_(std::move(detector)) {
    auto* app = qGuiApp;
    if (!app)
        return;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        scheduleChanged();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &QtScreenSource::scheduleChanged);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &QtScreenSource::scheduleChanged);
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
}

std::vector<ScreenInfo> QtScreenSource::screens() const {
    std::vector<ScreenInfo> result;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const CoordinateSpace space = CoordinateSpace::current();
    for (const QScreen* screen : QGuiApplication::screens()) {
        ScreenInfo info;
        info.id = screen->name().toStdString();
        info.isMain = screen == primary;
        info.frame = space.toCore(QRectF(screen->geometry()));
        info.visibleFrame = space.toCore(QRectF(screen->availableGeometry()));
        info.backingScaleFactor = screen->devicePixelRatio();
        const double ratio = info.backingScaleFactor;
        const QSize native(int(std::lround(screen->geometry().width() * ratio)),
                           int(std::lround(screen->geometry().height() * ratio)));
        if (auto notch = detector_.notchFor(info.frame, native, ratio)) {
            info.safeAreaTopInset = notch->topInset;
            info.auxiliaryTopLeftArea = notch->auxiliaryTopLeftArea;
            info.auxiliaryTopRightArea = notch->auxiliaryTopRightArea;
        }
        result.push_back(std::move(info));
    }
    return result;
}

void QtScreenSource::watch(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &QtScreenSource::scheduleChanged);
    connect(screen, &QScreen::availableGeometryChanged, this, &QtScreenSource::scheduleChanged);
}

void QtScreenSource::scheduleChanged() {
    if (changePending_)
        return;
    changePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            changePending_ = false;
            if (onScreensChanged)
                onScreensChanged();
        },
        Qt::QueuedConnection);
}

} // namespace vornela
