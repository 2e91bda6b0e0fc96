#include "ui/dashboard/HoverHomeView.h"

#include "core/dashboard/ButtonLook.h"
#include "core/nudges/DotMatrixStyle.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/ChromeButtonPainter.h"
#include "ui/dashboard/SymbolGlyphs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace vornela {

namespace {

constexpr double headerButtonSide = 34;
constexpr double headerButtonGap = 8;
constexpr double badgeTextGap = 12;
constexpr double badgeCornerRadius = 14;
constexpr double ringWidth = 3;
constexpr double tierNameSize = 14;
constexpr double subtitleSize = 11;
constexpr double titleSubtitleGap = 2;
constexpr double chipRuleGap = 10;
constexpr double chipRuleHeight = 40;
constexpr double chipActionSide = 20;
constexpr double chipTopRow = 20;
constexpr double chipValueTop = 23;
constexpr double chipValueHeight = 23;
constexpr double barHeight = 4;
constexpr double labelSize = 10;
constexpr double valueSize = 17;
constexpr double chipIconSide = 12;
constexpr double iconLabelGap = 5;
// How far a rolling figure travels, as a share of the value's size.
constexpr double rollDistance = 0.8 * valueSize;

QColor white(double opacity) {
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
}

QFont tierNameFont() {
    return interfaceFont(tierNameSize, FontWeight::semibold);
}

QFont subtitleFont() {
    return interfaceFont(subtitleSize, FontWeight::regular);
}

QFont labelFont() {
    QFont font = interfaceFont(labelSize, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    return font;
}

QFont valueFont() {
    return interfaceFont(valueSize, FontWeight::bold);
}

// A line of text left-aligned and centred vertically in `rect`, cut with an ellipsis if too wide.
void paintLine(QPainter& painter, StaticTextCache& cache, const QRectF& rect, const QFont& font,
               const QString& text) {
    const QFontMetricsF metrics(font);
    const QString shown = cache.width(text, font) > rect.width()
                              ? metrics.elidedText(text, Qt::ElideRight, rect.width())
                              : text;
    cache.drawAtBaseline(painter, rect.left(), rect.center().y() + (metrics.ascent() - metrics.descent()) / 2,
                         shown, font);
}

// Two texts in one place, the new one fading in over the old one.
void paintCrossFade(QPainter& painter, StaticTextCache& cache, const QRectF& rect, const QFont& font,
                    const QColor& color, const std::string& previous, const std::string& current,
                    double progress) {
    auto draw = [&](const std::string& text, double opacity) {
        if (opacity <= 0)
            return;
        QColor c = color;
        c.setAlphaF(static_cast<float>(c.alphaF() * opacity));
        painter.setPen(c);
        paintLine(painter, cache, rect, font, QString::fromStdString(text));
    };
    if (progress < 1)
        draw(previous, 1 - progress);
    draw(current, progress);
}

} // namespace

HoverHomeView::Layout HoverHomeView::layoutIn(const QRectF& area) {
    Layout l;
    const double left = area.left() + horizontalPadding;
    const double right = area.right() - horizontalPadding;
    const double top = area.top() + std::max(0.0, (area.height() - contentHeight) / 2);

    l.badge = QRectF(left, top, badgeSide, badgeSide);
    const double midY = l.badge.center().y();
    l.settingsButton =
        QRectF(right - headerButtonSide, midY - headerButtonSide / 2, headerButtonSide, headerButtonSide);
    l.activityButton = l.settingsButton.translated(-headerButtonSide - headerButtonGap, 0);
    const double textLeft = l.badge.right() + badgeTextGap;
    const double textWidth = std::max(0.0, l.activityButton.left() - badgeTextGap - textLeft);
    const double nameHeight = QFontMetricsF(tierNameFont()).height();
    const double subtitleHeight = QFontMetricsF(subtitleFont()).height();
    const double textTop = midY - (nameHeight + titleSubtitleGap + subtitleHeight) / 2;
    l.tierName = QRectF(textLeft, textTop, textWidth, nameHeight);
    l.subtitle = QRectF(textLeft, textTop + nameHeight + titleSubtitleGap, textWidth, subtitleHeight);

    l.rule = QRectF(left, l.badge.bottom() + 14, right - left, 1);
    const double chipsTop = l.rule.bottom() + 12;
    constexpr auto count = static_cast<double>(HoverHomeModel::chipCount);
    const double separatorSpan = 2 * chipRuleGap + 1;
    const double chipWidth = std::max(0.0, (right - left - (count - 1) * separatorSpan) / count);
    double x = left;
    for (std::size_t i = 0; i < HoverHomeModel::chipCount; ++i) {
        l.chips[i] = QRectF(x, chipsTop, chipWidth, chipHeight);
        x += chipWidth;
        if (i + 1 < HoverHomeModel::chipCount) {
            l.separators[i] =
                QRectF(x + chipRuleGap, chipsTop + (chipHeight - chipRuleHeight) / 2, 1, chipRuleHeight);
            x += separatorSpan;
        }
    }
    return l;
}

QRectF HoverHomeView::chipActionRect(const QRectF& chip) {
    return {chip.right() - chipActionSide, chip.top(), chipActionSide, chipActionSide};
}

QRectF HoverHomeView::chipBarRect(const QRectF& chip) {
    return {chip.left(), chip.bottom() - barHeight, chip.width(), barHeight};
}

HoverHomeView::HoverHomeView(HoverHomeModel& model, const NotchViewModel& notch, const Clock& clock,
                             const SystemPreferences& system, QWidget* host)
    : model_(model), notch_(notch), clock_(clock), system_(system),
      face_(model.faceAnimation(), dashboardHeaderDotMatrixStyle, clock.monotonicNow()),
      faceFor_(model.balance()) {
    auto makeButton = [&](const QString& name, std::function<void()> action) {
        return DashboardButton::create(host, name, clock_, system_, std::move(action), [this] {
            if (onLookChanged)
                onLookChanged();
        });
    };
    activity_ = makeButton(QStringLiteral("Activity"), [this] { model_.openActivity(); });
    settings_ = makeButton(QStringLiteral("Settings"), [this] { model_.openSettings(); });
    trackWater_ = makeButton(QStringLiteral("Track water"),
                             [this] { model_.perform(StatChip::QuickAction::trackWater); });
    lunch_ = makeButton(QStringLiteral("Mark lunch done"),
                        [this] { model_.perform(StatChip::QuickAction::markLunchDone); });
    modelSubscription_ = model_.changed.connect([this] { modelChanged(); });
}

HoverHomeView::~HoverHomeView() {
    modelSubscription_.reset();
    for (DashboardButton* button : {activity_.data(), settings_.data(), trackWater_.data(), lunch_.data()})
        delete button;
}

void HoverHomeView::modelChanged() {
    const BalanceScoreResult& balance = model_.balance();
    if (balance.score != faceFor_.score || balance.tier != faceFor_.tier) {
        face_.setAnimation(model_.faceAnimation());
        faceFor_ = balance;
    }
    ++revision_;
    syncControls();
    if (onLookChanged)
        onLookChanged();
}

void HoverHomeView::setArea(const QRectF& area) {
    area_ = area;
    layout_ = layoutIn(area);
    syncControls();
}

void HoverHomeView::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (visible)
        face_.restart(clock_.monotonicNow());
    else
        releaseLayer();
    syncControls();
}

void HoverHomeView::releaseLayer() {
    // A closed dashboard keeps no picture: an idle app should hold as little as it can.
    layer_ = QImage();
    layerKey_ = LayerKey();
    text_.clear();
    releaseSymbolGlyphs();
}

void HoverHomeView::syncControls() {
    DashboardButton* activity = activity_.data();
    DashboardButton* settings = settings_.data();
    DashboardButton* trackWater = trackWater_.data();
    DashboardButton* lunch = lunch_.data();
    if (!activity || !settings || !trackWater || !lunch)
        return;
    activity->setFrame(layout_.activityButton);
    settings->setFrame(layout_.settingsButton);
    trackWater->setFrame(chipActionRect(layout_.chips[HoverHomeModel::water]));
    lunch->setFrame(chipActionRect(layout_.chips[HoverHomeModel::lunch]));
    activity->setVisible(visible_);
    settings->setVisible(visible_);
    trackWater->setVisible(visible_);
    lunch->setVisible(visible_ && model_.lunchActionOffered());
}

std::optional<double> HoverHomeView::nextFrameDelay(double now) const {
    if (model_.isAnimating(now))
        return 0.0;
    for (const DashboardButton* button :
         {activity_.data(), settings_.data(), trackWater_.data(), lunch_.data()}) {
        if (button && button->isAnimating(now))
            return 0.0;
    }
    return face_.nextFrameDelay(now, system_.reduceMotion.get());
}

void HoverHomeView::paint(QPainter& painter, double now) const {
    const bool reduceMotion = system_.reduceMotion.get();
    bool still = !model_.isAnimating(now);
    LayerKey key{revision_, painter.device()->devicePixelRatioF(), area_,
                 {},        model_.lunchActionOffered(),           reduceMotion};
    std::size_t i = 0;
    for (const DashboardButton* button :
         {activity_.data(), settings_.data(), trackWater_.data(), lunch_.data()}) {
        if (!button)
            continue;
        still = still && !button->isAnimating(now);
        key.buttons[i++] = button->hoverAt(now);
        key.buttons[i++] = button->pressAt(now);
    }
    if (!still || area_.isEmpty()) {
        paintContent(painter, now, reduceMotion);
        paintFace(painter, now, reduceMotion);
        return;
    }
    if (!(key == layerKey_)) {
        const double ratio = key.devicePixelRatio;
        layer_ = QImage((area_.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        layer_.setDevicePixelRatio(ratio);
        layer_.fill(Qt::transparent);
        QPainter layer(&layer_);
        layer.translate(-area_.topLeft());
        paintContent(layer, now, reduceMotion);
        layerKey_ = key;
    }
    painter.drawImage(area_.topLeft(), layer_);
    paintFace(painter, now, reduceMotion);
}

void HoverHomeView::paintContent(QPainter& painter, double now, bool reduceMotion) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    paintHeader(painter, now, reduceMotion);
    painter.fillRect(layout_.rule, white(0.08));
    for (const QRectF& separator : layout_.separators)
        painter.fillRect(separator, white(0.08));
    for (std::size_t i = 0; i < HoverHomeModel::chipCount; ++i)
        paintChip(painter, i, now, reduceMotion);
    painter.restore();
}

void HoverHomeView::paintFace(QPainter& painter, double now, bool reduceMotion) const {
    const QRectF faceBox(layout_.badge.center().x() - dashboardHeaderDotMatrixBox.width / 2,
                         layout_.badge.center().y() - dashboardHeaderDotMatrixBox.height / 2,
                         dashboardHeaderDotMatrixBox.width, dashboardHeaderDotMatrixBox.height);
    face_.paint(painter, faceBox, now, reduceMotion);
}

void HoverHomeView::paintHeader(QPainter& painter, double now, bool reduceMotion) const {
    // The badge: tinted square, faint outline, the tier-coloured ring trimmed to the score.
    const QColor tier = toQColor(model_.tierColor());
    QColor tint = tier;
    tint.setAlphaF(0.18f);
    painter.fillPath(continuousRoundedRect(layout_.badge, badgeCornerRadius), tint);
    const double inset = ringWidth / 2;
    const QRectF ringRect = layout_.badge.adjusted(inset, inset, -inset, -inset);
    const QPainterPath ring = continuousRoundedRect(ringRect, badgeCornerRadius - inset);
    painter.strokePath(ring, QPen(white(0.09), ringWidth));
    const double trim = std::clamp(model_.badgeTrimAt(now), 0.0, 1.0);
    if (trim > 0) {
        QPen pen(tier, ringWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        if (trim < 1) {
            // The outline starts left on the top edge; the dash is shifted so the ring grows clockwise
            // from the middle of the top edge, where a reader looks first.
            const double length = ring.length();
            const double start =
                ring.elementAt(0).x < ringRect.center().x() ? ringRect.center().x() - ring.elementAt(0).x : 0;
            const double visible = std::max(trim * length, 0.01);
            pen.setDashPattern({visible / ringWidth, std::max(length - visible, 0.01) / ringWidth});
            pen.setDashOffset((length - start) / ringWidth);
        }
        painter.strokePath(ring, pen);
    }
    const TextTransition& name = model_.tierNameText();
    paintCrossFade(painter, text_, layout_.tierName, tierNameFont(), Qt::white, name.previous(), name.text(),
                   name.progressAt(now));
    const TextTransition& subtitle = model_.subtitleText();
    paintCrossFade(painter, text_, layout_.subtitle, subtitleFont(), white(0.5), subtitle.previous(),
                   subtitle.text(), subtitle.progressAt(now));
    painter.setPen(Qt::NoPen);

    const ChromeButtonPainter header{11, 17};
    if (activity_)
        header.paint(
            painter, layout_.activityButton,
            ButtonLook::chrome(activity_->hoverAt(now), activity_->pressAt(now), false, false, reduceMotion),
            DashboardSymbol::activity);
    if (settings_)
        header.paint(
            painter, layout_.settingsButton,
            ButtonLook::chrome(settings_->hoverAt(now), settings_->pressAt(now), false, true, reduceMotion),
            DashboardSymbol::settings);
}

void HoverHomeView::paintChip(QPainter& painter, std::size_t index, double now, bool reduceMotion) const {
    const StatChip& chip = model_.chips()[index];
    const QRectF& rect = layout_.chips[index];
    const QColor accent = toQColor(chip.progressColor);

    // Top row: icon and label, the quick action at the far end.
    const QRectF iconBox(rect.left(), rect.top() + (chipTopRow - chipIconSide) / 2, chipIconSide,
                         chipIconSide);
    paintSymbol(painter, chip.icon, iconBox.adjusted(-1, -1, 1, 1), 13, accent);
    const DashboardButton* action = nullptr;
    if (chip.quickAction == StatChip::QuickAction::trackWater)
        action = trackWater_;
    else if (chip.quickAction == StatChip::QuickAction::markLunchDone)
        action = lunch_;
    const QRectF actionRect = chipActionRect(rect);
    const double labelRight = action ? actionRect.left() - 4 : rect.right();
    const QRectF labelRect(iconBox.right() + iconLabelGap, rect.top(),
                           std::max(0.0, labelRight - iconBox.right() - iconLabelGap), chipTopRow);
    painter.setPen(white(0.42));
    paintLine(painter, text_, labelRect, labelFont(), QString::fromStdString(chip.label).toUpper());
    painter.setPen(Qt::NoPen);
    if (action) {
        const ChromeButtonPainter small{7, 13};
        small.paint(painter, actionRect,
                    ButtonLook::chrome(action->hoverAt(now), action->pressAt(now), true, false, reduceMotion),
                    chip.quickAction == StatChip::QuickAction::trackWater ? DashboardSymbol::plus
                                                                          : DashboardSymbol::checkmark);
    }

    // The value, its changed characters rolling upwards like a counter counting up.
    const QRectF valueRect(rect.left(), rect.top() + chipValueTop, rect.width(), chipValueHeight);
    const QFont font = valueFont();
    const QFontMetricsF metrics(font);
    const TextTransition& value = model_.chipValueText(index);
    const double widest = std::max(text_.width(QString::fromStdString(value.text()), font),
                                   text_.width(QString::fromStdString(value.previous()), font));
    // Allowed to shrink to 80 % to fit.
    const double shrink = widest > 0 ? std::clamp(valueRect.width() / widest, 0.8, 1.0) : 1.0;
    painter.save();
    painter.setClipRect(valueRect.adjusted(0, -2, 0, 2));
    painter.translate(valueRect.left(), valueRect.center().y());
    painter.scale(shrink, shrink);
    painter.setFont(font);
    const double baseline = (metrics.ascent() - metrics.descent()) / 2;
    const bool rolling = value.isRunningAt(now);
    const auto glyphs = rolling ? value.glyphsAt(now) : std::vector<TextTransition::Glyph>{};
    const auto current = TextTransition::characters(value.text());
    const auto previous = TextTransition::characters(value.previous());
    auto xOf = [this, &font](const std::vector<std::string>& characters, std::size_t slot) {
        QString prefix;
        for (std::size_t i = 0; i < slot && i < characters.size(); ++i)
            prefix += QString::fromStdString(characters[i]);
        return prefix.isEmpty() ? 0.0 : text_.width(prefix, font);
    };
    if (!rolling) {
        painter.setPen(Qt::white);
        text_.drawAtBaseline(painter, 0, baseline, QString::fromStdString(value.text()), font);
    }
    for (const TextTransition::Glyph& glyph : glyphs) {
        if (glyph.opacity <= 0)
            continue;
        const double x = xOf(glyph.outgoing ? previous : current, glyph.slot);
        painter.setPen(white(glyph.opacity));
        text_.drawAtBaseline(painter, x, baseline + glyph.offset * rollDistance,
                             QString::fromStdString(glyph.character), font);
    }
    painter.restore();
    painter.setPen(Qt::NoPen);

    // The bar: a faint track and the progress over it from the leading edge.
    const QRectF track = chipBarRect(rect);
    painter.fillPath(continuousRoundedRect(track, barHeight / 2), white(0.09));
    const double progress = std::clamp(model_.chipProgressAt(index, now), 0.0, 1.0);
    if (progress > 0) {
        const QRectF bar(track.left(), track.top(), track.width() * progress, track.height());
        painter.fillPath(continuousRoundedRect(bar, barHeight / 2), accent);
    }
}

} // namespace vornela
