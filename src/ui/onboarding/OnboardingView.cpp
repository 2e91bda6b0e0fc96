#include "ui/onboarding/OnboardingView.h"

#include "core/dashboard/DashboardSymbol.h"
#include "core/onboarding/OnboardingWindowController.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/SymbolGlyphs.h"
#include "ui/onboarding/OnboardingFinishPage.h"
#include "ui/onboarding/OnboardingMeetPage.h"
#include "ui/onboarding/OnboardingPageArea.h"
#include "ui/onboarding/OnboardingPrimaryButton.h"
#include "ui/onboarding/OnboardingStepIndicator.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace vornela {

using namespace onboarding;

namespace {

QIcon chevronLeft(const QColor& color) {
    const qreal scale = 2;
    QPixmap pixmap(QSize(16, 16) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSymbol(painter, DashboardSymbol::back, QRectF(0, 0, 16, 16), 16, color);
    return QIcon(pixmap);
}

// The footer's buttons at the large control size.
void makeLarge(QPushButton& button) {
    button.setFont(interfaceFont(13, FontWeight::medium));
    button.setMinimumHeight(32);
    button.setMinimumWidth(96);
    button.setCursor(Qt::PointingHandCursor);
}

} // namespace

OnboardingView::OnboardingView(Context context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    area_ = new OnboardingPageArea;
    column->addWidget(area_, 1);

    const int page = context_.controller.coordinator().page.get();
    indicator_ = new OnboardingStepIndicator(page);
    column->addSpacing(8);
    column->addWidget(indicator_, 0, Qt::AlignHCenter);
    column->addSpacing(4);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(32, 14, 32, 24);
    footer->setSpacing(12);
    back_ = new QPushButton(QStringLiteral("Back"));
    back_->setIcon(chevronLeft(palette().color(QPalette::ButtonText)));
    makeLarge(*back_);
    backPlaceholder_ = new QWidget;
    backPlaceholder_->setFixedSize(1, 1);
    primary_ = new OnboardingPrimaryButton;
    primary_->setDefault(true);
    footer->addWidget(back_);
    footer->addWidget(backPlaceholder_);
    footer->addStretch(1);
    footer->addWidget(primary_);
    column->addLayout(footer);

    QObject::connect(back_, &QPushButton::clicked, this, [this] { context_.controller.back(); });
    QObject::connect(primary_, &QPushButton::clicked, this, [this] { context_.controller.primaryAction(); });

    showPage(page, false);
    pageChanges_ =
        context_.controller.coordinator().page.observe([this](const int& p) { showPage(p, true); });
}

OnboardingView::~OnboardingView() = default;

QWidget* OnboardingView::page() const {
    return area_->page();
}

bool OnboardingView::isTransitioning() const {
    return area_->isTransitioning();
}

QWidget* OnboardingView::makePage(int page) {
    switch (clampedPage(page)) {
    case meetPage:
        return new OnboardingMeetPage;
    case setUpPage:
        if (context_.makeSetUpPage)
            return context_.makeSetUpPage();
        return new QWidget;
    default: {
        auto* finish = new OnboardingFinishPage;
        if (context_.decorateFinishPage)
            context_.decorateFinishPage(*finish);
        return finish;
    }
    }
}

void OnboardingView::showPage(int page, bool animated) {
    const bool reduceMotion = context_.controller.reduceMotion();
    // The area's height once the window has followed the page: the chrome below it stays.
    const int chrome = height() - area_->height();
    const QSize finalSize(width(), static_cast<int>(pageHeight(page)) - chrome);
    area_->setPage(makePage(page), finalSize, context_.controller.coordinator().navigationDirection.get(),
                   animated, reduceMotion);
    indicator_->setPage(page, animated && !reduceMotion);
    updateFooter(page);
}

void OnboardingView::updateFooter(int page) {
    const bool backShown = clampedPage(page) == setUpPage;
    back_->setVisible(backShown);
    backPlaceholder_->setVisible(!backShown);
    primary_->setText(QString::fromStdString(primaryButtonTitle(page)));
    primary_->setAccessibleDescription(QString::fromStdString(primaryButtonHint(page)));
    primary_->setToolTip(QString::fromStdString(primaryButtonHint(page)));
}

void OnboardingView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        context_.controller.escape();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            primary_->animateClick();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void OnboardingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), onboardingTheme::background(palette()));
}

void OnboardingView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        back_->setIcon(chevronLeft(palette().color(QPalette::ButtonText)));
}

} // namespace vornela
