#pragma once

#include "core/base/Clock.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/ButtonMotion.h"

#include <QAbstractButton>

#include <functional>

namespace vornela {

// The real control (click, hover, press, keyboard, accessible name) of a dashboard or ruler
// button whose look its owner paints under the notch's own transforms. It paints nothing; the
// owner places it over the rectangle it draws the look into.
class DashboardButton : public QAbstractButton {
    Q_OBJECT
public:
    DashboardButton(const QString& accessibleName, const Clock& clock, const SystemPreferences& system,
                    QWidget* parent);
    // A hidden control on `host` that runs `action` when clicked and `lookChanged` when its hover or
    // press moves: how every painted surface makes its buttons.
    static DashboardButton* create(QWidget* host, const QString& accessibleName, const Clock& clock,
                                   const SystemPreferences& system, std::function<void()> action,
                                   std::function<void()> lookChanged);

    const ButtonMotion& motion() const { return motion_; }
    double hoverAt(double now) const { return motion_.hoverAt(now); }
    double pressAt(double now) const { return motion_.pressAt(now); }
    bool isAnimating(double now) const { return motion_.isRunningAt(now); }
    void setFrame(const QRectF& rect) { setGeometry(rect.toAlignedRect()); }

    std::function<void()> onLookChanged; // hover or press changed: repaint and wake the driver

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void syncPressed();
    void lookChanged();

    const Clock& clock_;
    const SystemPreferences& system_;
    ButtonMotion motion_;
};

} // namespace vornela
