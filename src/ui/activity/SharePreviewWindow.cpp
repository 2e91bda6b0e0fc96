#include "ui/activity/SharePreviewWindow.h"

#include "ui/activity/ShareCardRenderer.h"
#include "ui/base/BoxBlur.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/SymbolGlyphs.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

constexpr double cornerRadius = 10;
constexpr double shadowSigma = 5; // a 10 pt soft shadow
constexpr double shadowOffsetY = 6;
constexpr double shadowOpacity = 0.18;
constexpr int swatchFrame = 36;
constexpr double swatchSide = 28;

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

// A Material Icons glyph as a button icon, in the button's text colours.
QPixmap glyphPixmap(char16_t glyph, const QColor& color) {
    constexpr int side = 16;
    constexpr qreal ratio = 2;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    if (ensureSymbolFont()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(symbolFont(side));
        painter.setPen(color);
        painter.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QString(QChar(glyph)));
    }
    return pixmap;
}

QIcon glyphIcon(char16_t glyph, const QPushButton& button) {
    QIcon icon(glyphPixmap(glyph, button.palette().color(QPalette::Active, QPalette::ButtonText)));
    icon.addPixmap(glyphPixmap(glyph, button.palette().color(QPalette::Disabled, QPalette::ButtonText)),
                   QIcon::Disabled);
    return icon;
}

// Material Icons code points.
constexpr char16_t copyGlyph = 0xe14d;     // content_copy
constexpr char16_t checkGlyph = 0xe5ca;    // check
constexpr char16_t downloadGlyph = 0xe2c4; // file_download
constexpr char16_t shareGlyph = 0xe6b8;    // ios_share

} // namespace

// The card, scaled to fit with rounded corners and a soft shadow, or a busy indicator until
// the first card of a showing lands.
class SharePreviewArea : public QWidget {
public:
    SharePreviewArea(SharePreviewModel& model, SharePreviewWindow::Pixels pixels)
        : model_(model), pixels_(std::move(pixels)) {
        setMinimumHeight(320);
        spinner_.setInterval(80);
        QObject::connect(&spinner_, &QTimer::timeout, this, [this] {
            phase_ = (phase_ + 1) % 12;
            update();
        });
    }

    void refresh() {
        const bool busy = !model_.previewImage() && model_.isRendering();
        setAccessibleName(model_.previewImage() ? QStringLiteral("Work rhythm share card preview")
                                                : QStringLiteral("Rendering share card"));
        if (busy && !spinner_.isActive())
            spinner_.start();
        else if (!busy)
            spinner_.stop();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF card = cardRect();
        if (const ShareCardImagePtr& image = model_.previewImage()) {
            paintCard(painter, *image, card);
        } else if (model_.isRendering()) {
            paintBusy(painter, card);
        }
    }

private:
    QRectF cardRect() const {
        const QRectF area = QRectF(rect()).adjusted(20, 16, -20, 0);
        const double aspect = double(ShareCardRenderer::width) / ShareCardRenderer::height;
        const double w = std::min(area.width(), area.height() * aspect);
        const double h = w / aspect;
        return QRectF(area.center().x() - w / 2, area.center().y() - h / 2, w, h);
    }

    void paintCard(QPainter& painter, const ShareCardImage& image, const QRectF& card) {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (card.size() * ratio).toSize();
        // Scaling 2022 px down smoothly is the costly part: once per card and size.
        if (&image != scaledFrom_ || scaled_.size() != pixels) {
            scaledFrom_ = &image;
            const QImage full = pixels_(image);
            scaled_ = full.isNull() ? QImage()
                                    : full.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            scaled_.setDevicePixelRatio(ratio);
            shadow_ = shadowFor(card.size(), ratio);
        }
        const double margin = shadowSigma * 3;
        painter.drawImage(QPointF(card.left() - margin, card.top() - margin + shadowOffsetY), shadow_);
        painter.save();
        painter.setClipPath(continuousRoundedRect(card, cornerRadius));
        painter.drawImage(card, scaled_);
        painter.restore();
    }

    static QImage shadowFor(QSizeF size, qreal ratio) {
        const double margin = shadowSigma * 3;
        QImage shadow(((size + QSizeF(2 * margin, 2 * margin)) * ratio).toSize(),
                      QImage::Format_ARGB32_Premultiplied);
        shadow.fill(Qt::transparent);
        {
            QPainter p(&shadow);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(ratio, ratio);
            p.fillPath(continuousRoundedRect(QRectF(QPointF(margin, margin), size), cornerRadius),
                       QColor::fromRgbF(0, 0, 0, shadowOpacity));
        }
        gaussianBlur(shadow, shadowSigma * ratio);
        shadow.setDevicePixelRatio(ratio);
        return shadow;
    }

    void paintBusy(QPainter& painter, const QRectF& card) {
        const QPointF centre = card.center() - QPointF(0, 12);
        const QColor ink = palette().color(QPalette::WindowText);
        for (int i = 0; i < 12; ++i) {
            const double angle = (i * 30.0) * M_PI / 180;
            const double fade = double((i - phase_ + 12) % 12) / 12;
            painter.setPen(QPen(withAlpha(ink, 0.15 + 0.6 * (1 - fade)), 2.5, Qt::SolidLine, Qt::RoundCap));
            const QPointF dir(std::sin(angle), -std::cos(angle));
            painter.drawLine(centre + dir * 6, centre + dir * 11);
        }
        painter.setPen(withAlpha(ink, 0.6));
        painter.setFont(interfaceFont(12, FontWeight::regular));
        painter.drawText(QRectF(card.left(), centre.y() + 18, card.width(), 20),
                         Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Rendering share card"));
    }

    SharePreviewModel& model_;
    SharePreviewWindow::Pixels pixels_;
    QTimer spinner_;
    int phase_ = 0;
    const ShareCardImage* scaledFrom_ = nullptr;
    QImage scaled_;
    QImage shadow_;
};

// One background's round swatch, ringed in the accent colour while it is the chosen one.
class ShareSwatchButton : public QAbstractButton {
public:
    explicit ShareSwatchButton(ActivityShareBackground background) : background_(background) {
        setFixedSize(swatchFrame, swatchFrame);
        setCheckable(true);
        setAutoExclusive(false);
        setCursor(Qt::PointingHandCursor);
        const std::string_view name = displayName(background);
        setAccessibleName(QString::fromUtf8(name.data(), qsizetype(name.size())) +
                          QStringLiteral(" background"));
    }

    ActivityShareBackground background() const { return background_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF circle((swatchFrame - swatchSide) / 2, (swatchFrame - swatchSide) / 2, swatchSide,
                            swatchSide);
        const RadialLayer layer = swatchGradient(background_);
        QRadialGradient gradient(circle.left() + layer.cx * circle.width(),
                                 circle.top() + layer.cy * circle.height(), layer.endRadius);
        const double start = layer.endRadius > 0 ? layer.startRadius / layer.endRadius : 0;
        for (const auto& [color, position] : layer.stops)
            gradient.setColorAt(start + (1 - start) * position, toQColor(color));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(circle);
        const bool chosen = isChecked();
        const double width = chosen ? 2 : 1;
        const QColor ring = chosen ? palette().color(QPalette::Highlight)
                                   : withAlpha(palette().color(QPalette::WindowText), 0.14);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ring, width));
        painter.drawEllipse(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }

private:
    ActivityShareBackground background_;
};

SharePreviewWindow::SharePreviewWindow(SharePreviewModel& model, Pixels pixels, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
    setWindowTitle(QStringLiteral("Share Work Rhythm"));
    setMinimumSize(minimumContentSize);
    resize(contentSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    preview_ = new SharePreviewArea(model, std::move(pixels));
    layout->addWidget(preview_, 1);

    auto* controls = new QVBoxLayout;
    controls->setContentsMargins(20, 14, 20, 18);
    controls->setSpacing(14);
    layout->addLayout(controls);

    auto* picker = new QWidget;
    picker->setAccessibleName(QStringLiteral("Background color"));
    auto* row = new QHBoxLayout(picker);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addStretch();
    auto* label = new QLabel(QStringLiteral("Background"));
    label->setFont(interfaceFont(11, FontWeight::semibold));
    QPalette secondary = label->palette();
    secondary.setColor(QPalette::WindowText, withAlpha(secondary.color(QPalette::WindowText), 0.55));
    label->setPalette(secondary);
    row->addWidget(label);
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        swatches_[i] = new ShareSwatchButton(allShareBackgrounds[i]);
        const ActivityShareBackground background = allShareBackgrounds[i];
        QObject::connect(swatches_[i], &QAbstractButton::clicked, this, [this, background] {
            model_.chooseBackground(background);
            refresh(); // a click on the chosen one unchecks it unless the model says otherwise
        });
        row->addWidget(swatches_[i]);
    }
    row->addStretch();
    controls->addWidget(picker);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(10);
    actions->addStretch();
    const QFont buttonFont = interfaceFont(13, FontWeight::medium);
    auto makeButton = [&](const QString& tip) {
        auto* button = new QPushButton;
        button->setFont(buttonFont);
        button->setMinimumHeight(32);
        button->setToolTip(tip);
        actions->addWidget(button);
        return button;
    };
    copy_ = makeButton(QStringLiteral("Copy image to clipboard"));
    save_ = makeButton(QStringLiteral("Save image to disk"));
    share_ = makeButton(QStringLiteral("Share with other apps"));
    // Copy is the prominent one, filled with the accent colour.
    copy_->setDefault(true);
    // Filled only while it can be pressed: before the first card it greys out like the others.
    QPalette accent = copy_->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        accent.setColor(group, QPalette::Button, accent.color(group, QPalette::Highlight));
        accent.setColor(group, QPalette::ButtonText, accent.color(group, QPalette::HighlightedText));
    }
    copy_->setPalette(accent);
    share_->setText(QStringLiteral("Share…"));
    share_->setAccessibleName(QStringLiteral("Share"));
    share_->setIcon(glyphIcon(shareGlyph, *share_));
    actions->addStretch();
    controls->addLayout(actions);

    QObject::connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
    QObject::connect(save_, &QPushButton::clicked, this, [this] { model_.save(); });
    QObject::connect(share_, &QPushButton::clicked, this, [this] { model_.share(width()); });
    // The shortcuts press the buttons, so a disabled one does nothing.
    auto* copyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this);
    QObject::connect(copyKey, &QShortcut::activated, copy_, &QPushButton::click);
    auto* saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    QObject::connect(saveKey, &QShortcut::activated, save_, &QPushButton::click);

    changed_ = model_.changed.connect([this] { refresh(); });
    presented_ = model_.presentRequested.connect([this] { present(); });
    refresh();
}

SharePreviewWindow::~SharePreviewWindow() = default;

void SharePreviewWindow::present() {
    resize(contentSize);
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() -
                 QPoint(contentSize.width() / 2, contentSize.height() / 2));
    }
    refresh();
    show();
    raise();
    activateWindow();
}

void SharePreviewWindow::refresh() {
    const bool hasImage = model_.previewImage() != nullptr;
    copy_->setText(model_.didCopy() ? QStringLiteral("Copied") : QStringLiteral("Copy"));
    copy_->setAccessibleName(model_.didCopy() ? QStringLiteral("Copied to clipboard")
                                              : QStringLiteral("Copy to clipboard"));
    copy_->setIcon(glyphIcon(model_.didCopy() ? checkGlyph : copyGlyph, *copy_));
    save_->setText(model_.didSave() ? QStringLiteral("Saved") : QStringLiteral("Save…"));
    save_->setAccessibleName(model_.didSave() ? QStringLiteral("Saved") : QStringLiteral("Save image"));
    save_->setIcon(glyphIcon(model_.didSave() ? checkGlyph : downloadGlyph, *save_));
    for (QPushButton* button : {copy_, save_, share_})
        button->setEnabled(hasImage);
    for (ShareSwatchButton* swatch : swatches_) {
        swatch->setChecked(swatch->background() == model_.background());
        swatch->update();
    }
    preview_->refresh();
}

void SharePreviewWindow::closeEvent(QCloseEvent* event) {
    model_.close();
    event->accept();
}

} // namespace vornela
