#include "ui/dashboard/DashboardButton.h"

#include <QEnterEvent>

namespace vornela {

DashboardButton::DashboardButton(const QString& accessibleName, const Clock& clock,
                                 const SystemPreferences& system, QWidget* parent)
    : QAbstractButton(parent), clock_(clock), system_(system) {
    setAccessibleName(accessibleName);
    setText(accessibleName);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(this, &QAbstractButton::pressed, this, &DashboardButton::syncPressed);
    connect(this, &QAbstractButton::released, this, &DashboardButton::syncPressed);
}

DashboardButton* DashboardButton::create(QWidget* host, const QString& accessibleName, const Clock& clock,
                                         const SystemPreferences& system, std::function<void()> action,
                                         std::function<void()> lookChanged) {
    auto* button = new DashboardButton(accessibleName, clock, system, host);
    connect(button, &QAbstractButton::clicked, button, std::move(action));
    button->onLookChanged = std::move(lookChanged);
    button->hide();
    return button;
}

void DashboardButton::paintEvent(QPaintEvent*) {
    // The owner paints the look, under its own transforms.
}

void DashboardButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    motion_.setHovered(isEnabled(), clock_.monotonicNow(), system_.reduceMotion.get());
    lookChanged();
}

void DashboardButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    motion_.setHovered(false, clock_.monotonicNow(), system_.reduceMotion.get());
    lookChanged();
}

void DashboardButton::hideEvent(QHideEvent* event) {
    QAbstractButton::hideEvent(event);
    // A hidden button gets no leave event: back to rest at once.
    motion_.reset();
    lookChanged();
}

void DashboardButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        motion_.setHovered(false, clock_.monotonicNow(), true);
        motion_.setPressed(false, clock_.monotonicNow(), true);
        lookChanged();
    }
}

void DashboardButton::syncPressed() {
    motion_.setPressed(isDown(), clock_.monotonicNow(), system_.reduceMotion.get());
    lookChanged();
}

void DashboardButton::lookChanged() {
    if (onLookChanged)
        onLookChanged();
}

} // namespace vornela
