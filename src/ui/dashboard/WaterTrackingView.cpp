#include "ui/dashboard/WaterTrackingView.h"

#include "core/dashboard/ButtonLook.h"
#include "ui/base/BoxBlur.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/SymbolGlyphs.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

const QColor waterBlue = QColor::fromRgbF(0.26f, 0.68f, 0.98f);
const QColor lightBlue = QColor::fromRgbF(0.48f, 0.84f, 1.0f);
const QColor paleBlue = QColor::fromRgbF(0.86f, 0.97f, 1.0f);

constexpr double trackHorizontalPadding = 18;
constexpr double trackVerticalPadding = 8;
constexpr double controlGap = 8;
constexpr double rulerTopGap = 2;
constexpr double labelTop = 2;
constexpr double barTopGap = 3;
constexpr QSizeF caretSize{11, 7};
constexpr double edgeBlurScale =
    0.5;                          // the soft copy is drawn at half a pixel per point: it is blurred anyway
constexpr double edgeMargin = 12; // room for the blur to spread past the band

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(std::clamp(color.alphaF() * alpha, 0.0, 1.0)));
    return color;
}

QFont readoutFont() {
    QFont font = interfaceFont(WaterAmountReadout::fontSize, FontWeight::regular);
    font.setWeight(QFont::Light);
    return font;
}

QFont trackFont() {
    return interfaceFont(13, FontWeight::semibold);
}

QFont tickLabelFont() {
    return interfaceFont(10, FontWeight::semibold);
}

QSizeF trackButtonSize() {
    const QFontMetricsF metrics(trackFont());
    return {std::ceil(metrics.horizontalAdvance(QStringLiteral("Track"))) + 2 * trackHorizontalPadding,
            std::ceil(metrics.height()) + 2 * trackVerticalPadding};
}

// Where the bars stand and the labels sit, inside a band whose left edge is x = 0.
double labelRowTop(double bandTop) {
    return bandTop + labelTop;
}
double barBaseline(double bandTop) {
    return labelRowTop(bandTop) + WaterRulerScale::labelRowHeight + barTopGap +
           WaterRulerScale::majorTickHeight;
}

// The ticks of `ticks`, each drawn at its cell opacity times `alpha(x)`.
template <class Alpha>
void paintTicks(QPainter& painter, StaticTextCache& text, const std::vector<RulerTick>& ticks, double left,
                double bandTop, Alpha alpha) {
    const double baseline = barBaseline(bandTop);
    const QFont font = tickLabelFont();
    const QFontMetricsF metrics(font);
    const double labelBaseline =
        labelRowTop(bandTop) + (WaterRulerScale::labelRowHeight + metrics.ascent() - metrics.descent()) / 2;
    for (const RulerTick& tick : ticks) {
        const double a = tick.opacity * alpha(tick.x);
        if (a <= 0.001)
            continue;
        const double x = left + tick.x;
        painter.fillRect(QRectF(x - tick.width / 2, baseline - tick.height, tick.width, tick.height),
                         withAlpha(waterBlue, tick.barOpacity * a));
        if (!tick.label.empty()) {
            const QString label = QString::fromStdString(tick.label);
            painter.setPen(withAlpha(lightBlue, 0.92 * a));
            text.drawAtBaseline(painter, x - text.width(label, font) / 2, labelBaseline, label, font);
        }
    }
}

void scaleAbout(QPainter& painter, QPointF anchor, double scale) {
    if (scale == 1)
        return;
    painter.translate(anchor);
    painter.scale(scale, scale);
    painter.translate(-anchor);
}

} // namespace

double WaterTrackingView::tickBaseline(double bandTop) {
    return barBaseline(bandTop);
}

WaterTrackingView::Layout WaterTrackingView::layoutIn(const QRectF& area, double readoutWidth) {
    Layout l;
    const double left = area.left() + horizontalPadding;
    const double right = area.right() - horizontalPadding;
    const double rowTop = area.top() + topPadding;
    l.readout = QRectF(left, rowTop, readoutWidth, rowHeight);
    const QSizeF track = trackButtonSize();
    const double midY = rowTop + rowHeight / 2;
    l.track = QRectF(right - track.width(), midY - track.height() / 2, track.width(), track.height());
    l.plus = QRectF(l.track.left() - controlGap - stepButtonSide, midY - stepButtonSide / 2, stepButtonSide,
                    stepButtonSide);
    l.minus = l.plus.translated(-controlGap - stepButtonSide, 0);
    l.ruler = QRectF(left, rowTop + rowHeight + rulerTopGap, right - left, WaterRulerScale::bandHeight);
    return l;
}

WaterTrackingView::WaterTrackingView(WaterTrackingModel& model, const Clock& clock,
                                     const SystemPreferences& system, QWidget* host)
    : model_(model), clock_(clock), system_(system) {
    auto makeButton = [&](const QString& name, std::function<void()> action) {
        return DashboardButton::create(host, name, clock_, system_, std::move(action), [this] {
            if (onLookChanged)
                onLookChanged();
        });
    };
    minus_ = makeButton(QStringLiteral("Less water"), [this] { model_.step(-1); });
    plus_ = makeButton(QStringLiteral("More water"), [this] { model_.step(1); });
    track_ = makeButton(QStringLiteral("Track"), [this] { model_.track(); });
    surface_ = new WaterRulerSurface(model_, clock_, host);
    surface_->hide();
    modelSubscription_ = model_.changed.connect([this] {
        syncControls();
        if (onLookChanged)
            onLookChanged();
    });
}

WaterTrackingView::~WaterTrackingView() {
    modelSubscription_.reset();
    delete surface_.data();
    for (DashboardButton* button : {minus_.data(), plus_.data(), track_.data()})
        delete button;
}

void WaterTrackingView::setArea(const QRectF& area) {
    area_ = area;
    syncControls();
}

void WaterTrackingView::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (!visible) {
        // A closed ruler keeps no pictures: an idle app should hold as little as it can.
        edgeCache_ = EdgeCache();
        blurredGlyphs_.clear();
        text_.clear();
        releaseSymbolGlyphs();
    }
    syncControls();
}

void WaterTrackingView::syncControls() {
    layout_ = layoutIn(area_, model_.readoutBoxWidth());
    DashboardButton* minus = minus_.data();
    DashboardButton* plus = plus_.data();
    DashboardButton* track = track_.data();
    WaterRulerSurface* surface = surface_.data();
    if (!minus || !plus || !track || !surface)
        return;
    minus->setFrame(layout_.minus);
    plus->setFrame(layout_.plus);
    track->setFrame(layout_.track);
    surface->setGeometry(layout_.ruler.toAlignedRect());
    minus->setEnabled(model_.minusEnabled());
    plus->setEnabled(model_.plusEnabled());
    track->setEnabled(model_.trackEnabled());
    minus->setVisible(visible_);
    plus->setVisible(visible_);
    track->setVisible(visible_);
    surface->setVisible(visible_);
}

std::optional<double> WaterTrackingView::nextFrameDelay(double now) const {
    if (model_.isAnimating(now) || model_.isDragging())
        return 0.0;
    for (const DashboardButton* button : {minus_.data(), plus_.data(), track_.data()}) {
        if (button && button->isAnimating(now))
            return 0.0;
    }
    return std::nullopt;
}

void WaterTrackingView::paint(QPainter& painter, double now) const {
    const bool reduceMotion = system_.reduceMotion.get();
    const WaterTrackingModel::Entrance entrance = model_.entranceAt();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    paintReadout(painter, layout_.readout.translated(0, entrance.readout), now, reduceMotion);
    paintRuler(painter, layout_.ruler.translated(0, entrance.ruler), now, reduceMotion);
    paintControls(painter, entrance.controls, now, reduceMotion);
    painter.restore();
}

void WaterTrackingView::paintReadout(QPainter& painter, const QRectF& box, double now,
                                     bool reduceMotion) const {
    painter.save();
    scaleAbout(painter, QPointF(box.left(), box.center().y()), reduceMotion ? 1 : model_.readoutScaleAt(now));
    const QFont font = readoutFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const double baseline = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    const WaterAmountReadout& readout = model_.readout();
    for (const WaterAmountReadout::Column& column : readout.columnsAt(now)) {
        const QRectF cell(box.left() + column.x, box.top(), column.width, WaterAmountReadout::columnHeight);
        painter.save();
        painter.setClipRect(cell);
        for (const DigitRoll::Copy& copy : column.copies) {
            if (copy.opacity <= 0)
                continue;
            const QString text(QChar::fromLatin1(copy.character));
            const double x = cell.center().x() - text_.width(text, font) / 2;
            const double y = baseline + copy.offset;
            if (copy.blurRadius < 0.1) {
                painter.setPen(withAlpha(lightBlue, copy.opacity));
                text_.drawAtBaseline(painter, x, y, text, font);
                continue;
            }
            // A moving digit goes soft: drawn once per blur step into a small layer, blurred, kept.
            const double ratio = painter.device()->devicePixelRatioF();
            const double radius = std::round(copy.blurRadius * 4) / 4;
            constexpr double pad = 10; // twice the largest blur radius
            const QString key = QStringLiteral("%1/%2/%3").arg(text).arg(radius).arg(ratio);
            auto found = blurredGlyphs_.find(key);
            if (found == blurredGlyphs_.end()) {
                QImage layer((QSizeF(cell.width() + 2 * pad, cell.height() + 2 * pad) * ratio).toSize(),
                             QImage::Format_ARGB32_Premultiplied);
                layer.setDevicePixelRatio(ratio);
                layer.fill(Qt::transparent);
                {
                    QPainter p(&layer);
                    p.setRenderHint(QPainter::Antialiasing);
                    p.setPen(lightBlue);
                    text_.drawAtBaseline(p, x - cell.left() + pad, baseline - cell.top() + pad, text, font);
                }
                gaussianBlur(layer, radius / 2 * ratio);
                found = blurredGlyphs_.insert(key, layer);
            }
            painter.save();
            painter.setOpacity(painter.opacity() * copy.opacity);
            painter.drawImage(QPointF(cell.left() - pad, cell.top() - pad + copy.offset), *found);
            painter.restore();
        }
        painter.restore();
    }
    painter.setPen(lightBlue);
    text_.drawAtBaseline(painter, box.left() + readout.unitX() + 4, baseline,
                         QString::fromStdString(WaterAmountReadout::unit(readout.amount())), font);
    painter.restore();
}

void WaterTrackingView::paintControls(QPainter& painter, double dy, double now, bool reduceMotion) const {
    auto stepButton = [&](const DashboardButton* button, const QRectF& rect, DashboardSymbol symbol) {
        const bool enabled = button ? button->isEnabled() : false;
        const ButtonLook look = ButtonLook::step(button ? button->pressAt(now) : 0, enabled, reduceMotion);
        painter.save();
        painter.setOpacity(painter.opacity() * look.opacity);
        scaleAbout(painter, rect.center(), look.scale);
        QPainterPath circle;
        circle.addEllipse(rect);
        painter.fillPath(circle, withAlpha(waterBlue, look.fillOpacity));
        paintSymbol(painter, symbol, rect, 16, paleBlue);
        painter.restore();
    };
    stepButton(minus_, layout_.minus.translated(0, dy), DashboardSymbol::minus);
    stepButton(plus_, layout_.plus.translated(0, dy), DashboardSymbol::plus);

    const QRectF track = layout_.track.translated(0, dy);
    const DashboardButton* trackButton = track_.data();
    const bool enabled = trackButton && trackButton->isEnabled();
    const ButtonLook look =
        ButtonLook::track(trackButton ? trackButton->pressAt(now) : 0, enabled, reduceMotion);
    painter.save();
    painter.setOpacity(painter.opacity() * look.opacity);
    scaleAbout(painter, track.center(), look.scale);
    painter.fillPath(continuousRoundedRect(track, track.height() / 2),
                     withAlpha(waterBlue, look.fillOpacity));
    const QFont font = trackFont();
    const QFontMetricsF metrics(font);
    const QString title = QStringLiteral("Track");
    painter.setPen(paleBlue);
    text_.drawAtBaseline(painter, track.center().x() - text_.width(title, font) / 2,
                         track.center().y() + (metrics.ascent() - metrics.descent()) / 2, title, font);
    painter.restore();
}

const WaterTrackingView::EdgeCache& WaterTrackingView::blurredEdges(double width, double centre) const {
    const int maxStep = model_.scale().maxStep();
    if (edgeCache_.centre == centre && edgeCache_.width == width && edgeCache_.maxStep == maxStep)
        return edgeCache_;
    edgeCache_.centre = centre;
    edgeCache_.width = width;
    edgeCache_.maxStep = maxStep;
    const auto ticks = model_.scale().ticks(centre, width);
    const double stripWidth = WaterRulerScale::edgeBlurWidth + 2 * edgeMargin;
    const QSize pixels(int(std::ceil(stripWidth * edgeBlurScale)),
                       int(std::ceil((WaterRulerScale::bandHeight + 2 * edgeMargin) * edgeBlurScale)));
    auto strip = [&](double from, bool leftEnd) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(edgeBlurScale);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // Only the ticks that can reach the strip.
        std::vector<RulerTick> near;
        for (const RulerTick& tick : ticks) {
            if (tick.x >= from - 10 && tick.x <= from + stripWidth + 10)
                near.push_back(tick);
        }
        paintTicks(p, text_, near, -from, edgeMargin, [](double) { return 1.0; });
        p.end();
        gaussianBlur(image, WaterRulerScale::edgeBlurRadius / 2 * edgeBlurScale);
        // Kept only over the outer band: full at the ruler's end, gone edgeBlurWidth inwards.
        QPainter mask(&image);
        mask.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        const double edge = leftEnd ? -from : width - from;
        const double inner =
            leftEnd ? edge + WaterRulerScale::edgeBlurWidth : edge - WaterRulerScale::edgeBlurWidth;
        QLinearGradient gradient(edge, 0, inner, 0);
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, Qt::transparent);
        mask.fillRect(QRectF(0, 0, stripWidth, WaterRulerScale::bandHeight + 2 * edgeMargin), gradient);
        return image;
    };
    edgeCache_.left = strip(-edgeMargin, true);
    edgeCache_.right = strip(width - WaterRulerScale::edgeBlurWidth - edgeMargin, false);
    return edgeCache_;
}

void WaterTrackingView::paintRuler(QPainter& painter, const QRectF& band, double now,
                                   bool reduceMotion) const {
    const double width = band.width();
    const double centre = model_.centreAt(now);
    const auto ticks = model_.ticksAt(now, width);
    constexpr double extent = WaterRulerScale::edgeExtent;

    painter.save();
    painter.setClipRect(band);
    // The sharp copy fades out toward both ends.
    paintTicks(painter, text_, ticks, band.left(), band.top(), [width](double x) {
        const double d = std::min(x, width - x);
        return std::clamp(d / extent, 0.0, 1.0);
    });
    // The soft copy takes over in the outer bands.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Redrawn each quarter step and slid by the rest: the copy is soft, a drag need not blur anew
    // on every frame.
    const double drawnCentre = std::round(centre * 4) / 4;
    const double slide = (drawnCentre - centre) * WaterRulerScale::tickSpacing;
    const EdgeCache& edges = blurredEdges(width, drawnCentre);
    painter.drawImage(QPointF(band.left() - edgeMargin + slide, band.top() - edgeMargin), edges.left);
    painter.drawImage(
        QPointF(band.right() - WaterRulerScale::edgeBlurWidth - edgeMargin + slide, band.top() - edgeMargin),
        edges.right);
    painter.restore();

    // The caret under the centre, pointing up at the selected tick; it swells while held.
    const double baseline = barBaseline(band.top());
    const QRectF caret(band.center().x() - caretSize.width() / 2, baseline + 1.5, caretSize.width(),
                       caretSize.height());
    painter.save();
    scaleAbout(painter, QPointF(caret.center().x(), caret.top()),
               reduceMotion ? 1 : model_.caretScaleAt(now));
    QPainterPath triangle;
    triangle.moveTo(caret.center().x(), caret.top());
    triangle.lineTo(caret.right(), caret.bottom());
    triangle.lineTo(caret.left(), caret.bottom());
    triangle.closeSubpath();
    painter.fillPath(triangle, paleBlue);
    painter.restore();
}

} // namespace vornela
