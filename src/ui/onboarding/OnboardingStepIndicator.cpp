#include "ui/onboarding/OnboardingStepIndicator.h"

#include "core/onboarding/OnboardingPage.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace vornela {

namespace {
constexpr double kDot = 6;
constexpr double kCurrent = 18;
constexpr double kSpacing = 6;
constexpr auto kObjectName = "onboarding-step-indicator";

// Screen readers hear "Step 2 of 3" and, as its value, the step's title.
class StepIndicatorAccessible : public QAccessibleWidget {
public:
    explicit StepIndicatorAccessible(OnboardingStepIndicator* indicator)
        : QAccessibleWidget(indicator, QAccessible::StaticText), indicator_(indicator) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::fromStdString(onboarding::stepTitle(indicator_->page()));
        return QAccessibleWidget::text(t);
    }

private:
    OnboardingStepIndicator* indicator_;
};

QAccessibleInterface* stepIndicatorAccessible(const QString&, QObject* object) {
    if (object && object->isWidgetType() && object->objectName() == QLatin1String(kObjectName))
        return new StepIndicatorAccessible(static_cast<OnboardingStepIndicator*>(object));
    return nullptr;
}

} // namespace

OnboardingStepIndicator::OnboardingStepIndicator(int page, QWidget* parent)
    : QWidget(parent), page_(onboarding::clampedPage(page)), fromPage_(page_) {
    static const bool installed = [] {
        QAccessible::installFactory(&stepIndicatorAccessible);
        return true;
    }();
    (void)installed;
    setObjectName(QLatin1String(kObjectName));
    setFixedSize(sizeHint());
    progress_.setStartValue(0.0);
    progress_.setEndValue(1.0);
    progress_.setDuration(onboardingTheme::pageChangeMilliseconds());
    progress_.setEasingCurve(onboardingTheme::pageChangeCurve());
    QObject::connect(&progress_, &QVariantAnimation::valueChanged, this, [this] { update(); });
    setPage(page_, false);
}

QSize OnboardingStepIndicator::sizeHint() const {
    const double width = kCurrent + (onboarding::pageCount - 1) * (kDot + kSpacing);
    return QSize(static_cast<int>(width), static_cast<int>(kDot));
}

void OnboardingStepIndicator::setPage(int page, bool animated) {
    fromPage_ = page_;
    page_ = onboarding::clampedPage(page);
    setAccessibleName(QString::fromStdString(onboarding::stepAccessibilityLabel(page_)));
    setAccessibleDescription(QString::fromStdString(onboarding::stepTitle(page_)));
    progress_.stop();
    if (animated && fromPage_ != page_)
        progress_.start();
    update();
}

void OnboardingStepIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double t =
        progress_.state() == QAbstractAnimation::Running ? progress_.currentValue().toDouble() : 1.0;
    QColor rest = onboardingTheme::primaryAt(palette(), 0.28 * 0.66);
    const QColor highlight = onboardingTheme::stepHighlight();
    double x = 0;
    for (int step = 0; step < onboarding::pageCount; ++step) {
        // Each capsule grows or shrinks between its two widths as the page changes.
        const double was = step == fromPage_ ? 1.0 : 0.0;
        const double now = step == page_ ? 1.0 : 0.0;
        const double current = was + (now - was) * t;
        const double width = kDot + (kCurrent - kDot) * current;
        QColor fill = highlight;
        fill.setRedF(static_cast<float>(rest.redF() + (highlight.redF() - rest.redF()) * current));
        fill.setGreenF(static_cast<float>(rest.greenF() + (highlight.greenF() - rest.greenF()) * current));
        fill.setBlueF(static_cast<float>(rest.blueF() + (highlight.blueF() - rest.blueF()) * current));
        fill.setAlphaF(static_cast<float>(rest.alphaF() + (1.0 - rest.alphaF()) * current));
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(x, 0, width, kDot), kDot / 2, kDot / 2);
        x += width + kSpacing;
    }
}

} // namespace vornela
