#pragma once

#include "core/base/Clock.h"
#include "core/base/Color.h"
#include "core/base/CubicBezier.h"
#include "core/base/SystemPreferences.h"

#include <QAbstractButton>
#include <QColor>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

namespace vornela {

// The real control (click, hover, press, keyboard, accessible name) of a nudge button whose look is
// painted by its owner, so the owner's transforms (reveal, card motion) apply to it. paintEvent
// paints nothing; the owner places the widget over the rectangle it paints the look into.
class NudgeSurfaceButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Role { primary, secondary };

    // The resolved colours of one look (hover blended).
    struct Look {
        QColor fill;
        QColor border;
        QColor content;        // icon and title
        double scale = 1;      // of the whole button, about its centre
        double labelScale = 1; // of the label while pressed, about its centre
        double labelOpacity = 1;
    };

    static constexpr double hoverDuration = 0.15;
    static constexpr double pressDuration = 0.12;

    NudgeSurfaceButton(QString title, QString systemImage, Role role, Color accent,
                       QString accessibilityLabel, const Clock& clock, const SystemPreferences& system,
                       QWidget* parent);

    // The size of a button with this title, from real font metrics (no widget needed).
    static QSizeF idealSizeFor(const QString& title);
    QSizeF idealSize() const;
    QSize sizeHint() const override;

    void setAccent(Color accent);
    // On the light card the white ink would vanish: the same opacities are drawn in dark ink.
    void setOnLightSurface(bool onLight);
    void setAccessibilityLabel(const QString& label);
    const QString& title() const { return title_; }
    const QString& systemImage() const { return systemImage_; }
    Role role() const { return role_; }
    QString accessibilityLabel() const { return accessibleName(); }

    // 0...1: how far the hover (press) look has come at `now`.
    double hoverAmount(double now) const;
    double pressAmount(double now) const;
    Look lookAt(double now) const;
    void paintLook(QPainter& painter, const QRectF& rect, double now) const;
    bool isAnimating(double now) const;

    std::function<void()> onLookChanged; // hover or press changed: repaint and wake the driver

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setHovered(bool hovered);
    void syncPressed();
    void retarget(TimedCurve& curve, double target, double duration);

    QString title_;
    QString systemImage_;
    Role role_;
    Color accent_;
    bool onLight_ = false;
    const Clock& clock_;
    const SystemPreferences& system_;
    bool hovered_ = false;
    bool pressedLook_ = false;
    TimedCurve hover_;
    TimedCurve press_;
};

} // namespace vornela
