#include "ui/dashboard/WaterRulerSurface.h"
#include "ui/base/SameThreadFills.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace vornela {

WaterRulerSurface::WaterRulerSurface(WaterTrackingModel& model, const Clock& clock, QWidget* parent)
    : QWidget(parent), model_(model), clock_(clock) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Water amount"));
    modelSubscription_ = model_.changed.connect([this] { syncCursor(); });
}

void WaterRulerSurface::paintEvent(QPaintEvent*) {
    const SameThreadFills sameThread;
    // The view paints the ruler under the notch's transforms.
}

void WaterRulerSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    model_.pointerPressed(event->position().x(), clock_.monotonicNow());
    syncCursor();
    event->accept();
}

void WaterRulerSurface::mouseMoveEvent(QMouseEvent* event) {
    pointerOver_ = rect().contains(event->position().toPoint());
    if (model_.isDragging())
        model_.pointerMoved(event->position().x(), clock_.monotonicNow());
    syncCursor();
    event->accept();
}

void WaterRulerSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    pointerOver_ = rect().contains(event->position().toPoint());
    model_.pointerReleased(event->position().x(), clock_.monotonicNow());
    syncCursor();
    event->accept();
}

void WaterRulerSurface::deliverWheel(WaterTrackingModel& model, QPoint pixelDelta, QPoint angleDelta) {
    if (!pixelDelta.isNull())
        model.scrollEvent(pixelDelta.x(), pixelDelta.y(), true);
    else
        model.scrollEvent(angleDelta.x() / 120.0, angleDelta.y() / 120.0, false);
}

void WaterRulerSurface::wheelEvent(QWheelEvent* event) {
    deliverWheel(model_, event->pixelDelta(), event->angleDelta());
    // Passed on unchanged: the ruler only listens.
    event->ignore();
}

void WaterRulerSurface::enterEvent(QEnterEvent* event) {
    pointerOver_ = true;
    syncCursor();
    QWidget::enterEvent(event);
}

void WaterRulerSurface::leaveEvent(QEvent* event) {
    pointerOver_ = false;
    syncCursor();
    QWidget::leaveEvent(event);
}

void WaterRulerSurface::hideEvent(QHideEvent* event) {
    pointerOver_ = false;
    QWidget::hideEvent(event);
}

void WaterRulerSurface::syncCursor() {
    switch (model_.cursor(pointerOver_)) {
    case WaterTrackingModel::Cursor::closedHand:
        setCursor(Qt::ClosedHandCursor);
        break;
    case WaterTrackingModel::Cursor::openHand:
        setCursor(Qt::OpenHandCursor);
        break;
    case WaterTrackingModel::Cursor::arrow:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

} // namespace vornela
