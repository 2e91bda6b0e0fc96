#include "ui/onboarding/OnboardingTheme.h"

#include "core/base/CubicBezier.h"
#include "core/onboarding/OnboardingPage.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/Typography.h"
#include "ui/base/WindowTheme.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>

namespace vornela::onboardingTheme {

QColor accent() {
    return QColor::fromRgbF(0.2f, 0.62f, 0.95f);
}

QColor stepHighlight() {
    return QColor::fromRgbF(0.31f, 0.58f, 0.98f);
}

QColor background(const QPalette& palette) {
    return isDarkPalette(palette) ? QColor::fromRgbF(0.1f, 0.11f, 0.13f) : palette.color(QPalette::Window);
}

QColor primaryAt(const QPalette& palette, double opacity) {
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QColor primary(const QPalette& palette) {
    return palette.color(QPalette::WindowText);
}

// Lighter roles stay readable on both backgrounds: secondary text keeps about 5:1 contrast,
// tertiary about 3.5:1.
QColor secondary(const QPalette& palette) {
    return primaryAt(palette, 0.66);
}

QColor tertiary(const QPalette& palette) {
    return primaryAt(palette, 0.52);
}

QFont titleFont() {
    return interfaceFont(28, FontWeight::semibold);
}
QFont headingFont() {
    return interfaceFont(22, FontWeight::semibold);
}
QFont bodyFont() {
    return interfaceFont(15, FontWeight::regular);
}
QFont smallFont() {
    return interfaceFont(13, FontWeight::regular);
}
QFont labelFont() {
    return interfaceFont(14, FontWeight::medium);
}
QFont rowTitleFont() {
    return interfaceFont(13.5, FontWeight::medium);
}
QFont captionFont() {
    return interfaceFont(12, FontWeight::regular);
}
QFont sectionFont() {
    return interfaceFont(13, FontWeight::semibold);
}
QFont menuFont() {
    return interfaceFont(13, FontWeight::medium);
}

namespace {
qreal easeOut(qreal progress) {
    static constexpr CubicBezier curve{0.0, 0.0, 0.58, 1.0};
    return curve(progress);
}
} // namespace

QEasingCurve pageChangeCurve() {
    QEasingCurve curve;
    curve.setCustomType(&easeOut);
    return curve;
}

int pageChangeMilliseconds() {
    return static_cast<int>(onboarding::pageChangeDuration * 1000);
}

namespace {

// A text whose colour is a share of the window's text colour, kept when the scheme changes.
class ToneLabel : public QLabel {
public:
    ToneLabel(const QString& text, int tone, QWidget* parent) : QLabel(text, parent), tone_(tone) {
        applyTone();
    }

protected:
    bool event(QEvent* event) override {
        const bool handled = QLabel::event(event);
        if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) && !applying_)
            applyTone();
        return handled;
    }

private:
    void applyTone() {
        applying_ = true;
        const QPalette inherited = parentWidget() ? parentWidget()->palette() : QPalette();
        const QColor color = tone_ == 0   ? primary(inherited)
                             : tone_ == 1 ? secondary(inherited)
                                          : tertiary(inherited);
        QPalette own = palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            own.setColor(group, QPalette::WindowText, color);
        setPalette(own);
        applying_ = false;
    }

    int tone_;
    bool applying_ = false;
};

} // namespace

QLabel* label(const QString& text, const QFont& font, int tone, QWidget* parent) {
    auto* result = new ToneLabel(text, tone, parent);
    result->setFont(font);
    result->setTextInteractionFlags(Qt::NoTextInteraction);
    return result;
}

void paintCard(QPainter& painter, const QRectF& rect, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(rect, 12), primaryAt(palette, 0.04));
    // The hairline sits inside the edge, as an inner border does.
    QPen pen(primaryAt(palette, 0.08), 0.5);
    painter.setPen(pen);
    painter.drawPath(continuousRoundedRect(rect.adjusted(0.25, 0.25, -0.25, -0.25), 11.75));
    painter.restore();
}

} // namespace vornela::onboardingTheme
