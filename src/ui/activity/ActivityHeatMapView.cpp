#include "ui/activity/ActivityHeatMapView.h"

#include "core/dashboard/ButtonLook.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/Typography.h"
#include "ui/dashboard/SymbolGlyphs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

namespace vornela {

namespace {

constexpr double titleSize = 13;
constexpr double titleGap = 6;
constexpr double backGlyph = 15; // the chevron's box; its stroke reads at about 11 points
constexpr double shareGlyph = 15;
constexpr double legendTopPadding = 2;
constexpr double legendSpacing = 6;
constexpr double legendSwatch = 9;
constexpr double legendSwatchSpacing = 3;
constexpr double legendSwatchRadius = 2;
constexpr double legendTextSize = 9;

QFont titleFont() {
    return interfaceFont(titleSize, FontWeight::semibold);
}

QFont legendFont() {
    return interfaceFont(legendTextSize, FontWeight::medium);
}

double chartHeight() {
    // Seven rows under the month names, whatever the months.
    const ActivityHeatMapGrid empty;
    return ActivityHeatMapChart(empty, ActivityHeatMapChartStyle::notch, 1).size().height();
}

} // namespace

ActivityHeatMapView::Layout ActivityHeatMapView::layoutIn(const QRectF& area, double chartHeight) {
    Layout l;
    const QRectF content = area.adjusted(horizontalPadding, topPadding, -horizontalPadding, -bottomPadding);
    const double titleWidth = QFontMetricsF(titleFont()).horizontalAdvance(QStringLiteral("Activity"));
    l.back = QRectF(content.left() - 4, content.top(), rowHeight, rowHeight);
    l.title = QRectF(l.back.right() - 4 + titleGap, content.top(), titleWidth + 1, rowHeight);
    l.share = QRectF(content.right() - rowHeight + 4, content.top(), rowHeight, rowHeight);
    const double chartTop = content.top() + rowHeight + spacing;
    l.chart = QRectF(content.left(), chartTop, content.width(), chartHeight);
    const double legendHeight =
        legendTopPadding + std::max(legendSwatch, QFontMetricsF(legendFont()).height());
    l.legend = QRectF(content.left(), l.chart.bottom() + spacing, content.width(), legendHeight);
    return l;
}

ActivityHeatMapView::ActivityHeatMapView(ActivityPageModel& model, const Clock& clock,
                                         const SystemPreferences& system, QWidget* host)
    : model_(model), clock_(clock), system_(system) {
    auto makeButton = [&](const QString& name, std::function<void()> action) {
        return DashboardButton::create(host, name, clock_, system_, std::move(action), [this] {
            if (onLookChanged)
                onLookChanged();
        });
    };
    back_ = makeButton(QStringLiteral("Back"), [this] { model_.back(); });
    share_ = makeButton(QStringLiteral("Share work rhythm"), [this] { model_.share(); });
    auto describe = [](QWidget* parent, const QString& name) {
        auto* widget = new QWidget(parent);
        widget->setAccessibleName(name);
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget->hide();
        return widget;
    };
    page_ = describe(host, QStringLiteral("Activity heat map"));
    chart_ = describe(page_, QString());
    legend_ = describe(page_, QStringLiteral("Legend from empty days to thriving"));
    chart_->show();
    legend_->show();
    modelSubscription_ = model_.changed.connect([this] {
        if (!visible_)
            return;
        syncControls();
        if (onLookChanged)
            onLookChanged();
    });
}

ActivityHeatMapView::~ActivityHeatMapView() {
    modelSubscription_.reset();
    for (DashboardButton* button : {back_.data(), share_.data()})
        delete button;
    delete page_.data();
}

void ActivityHeatMapView::setArea(const QRectF& area) {
    if (area == area_)
        return;
    area_ = area;
    layout_ = layoutIn(area_, chartHeight());
    syncControls();
}

void ActivityHeatMapView::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (!visible) {
        // A closed page keeps no picture.
        layer_ = QImage();
        layerKey_.reset();
        text_.clear();
        releaseSymbolGlyphs();
    }
    syncControls();
}

void ActivityHeatMapView::syncControls() {
    DashboardButton* back = back_.data();
    DashboardButton* share = share_.data();
    if (!back || !share)
        return;
    back->setFrame(layout_.back);
    share->setFrame(layout_.share);
    back->setVisible(visible_);
    share->setVisible(visible_);
    if (QWidget* page = page_.data()) {
        page->setGeometry(area_.toAlignedRect());
        page->setVisible(visible_);
        if (QWidget* chart = chart_.data()) {
            chart->setGeometry(layout_.chart.translated(-area_.topLeft()).toAlignedRect());
            if (visible_)
                chart->setAccessibleName(QString::fromStdString(model_.summary()));
        }
        if (QWidget* legend = legend_.data())
            legend->setGeometry(layout_.legend.translated(-area_.topLeft()).toAlignedRect());
    }
    if (visible_) {
        back->raise();
        share->raise();
    }
}

std::optional<double> ActivityHeatMapView::nextFrameDelay(double now) const {
    for (const DashboardButton* button : {back_.data(), share_.data()}) {
        if (button && button->isAnimating(now))
            return 0.0;
    }
    return std::nullopt;
}

void ActivityHeatMapView::paint(QPainter& painter, double now) const {
    if (area_.isEmpty())
        return;
    LayerKey key{model_.grid(), painter.device()->devicePixelRatioF(), area_};
    if (!layerKey_ || !(key == *layerKey_)) {
        const double ratio = key.devicePixelRatio;
        layer_ = QImage((area_.size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        layer_.setDevicePixelRatio(ratio);
        layer_.fill(Qt::transparent);
        QPainter layer(&layer_);
        layer.translate(-area_.topLeft());
        paintStill(layer, key.grid);
        layerKey_ = std::move(key);
    }
    painter.drawImage(area_.topLeft(), layer_);
    paintGhost(painter, back_.data(), layout_.back, DashboardSymbol::back, backGlyph, now);
    paintGhost(painter, share_.data(), layout_.share, DashboardSymbol::share, shareGlyph, now);
}

void ActivityHeatMapView::paintStill(QPainter& painter, const ActivityHeatMapGrid& grid) const {
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont title = titleFont();
    painter.setPen(whiteAt(1));
    text_.drawAtBaseline(painter, layout_.title.left(),
                         layout_.title.center().y() +
                             (QFontMetricsF(title).ascent() - QFontMetricsF(title).descent()) / 2,
                         QStringLiteral("Activity"), title);
    ActivityHeatMapChart(grid, ActivityHeatMapChartStyle::notch, model_.firstWeekday())
        .paint(painter, layout_.chart);
    paintLegend(painter);
}

void ActivityHeatMapView::paintLegend(QPainter& painter) const {
    const QFont font = legendFont();
    const QFontMetricsF metrics(font);
    const QString less = QStringLiteral("Less");
    const QString more = QStringLiteral("More");
    const double swatches = 5 * legendSwatch + 4 * legendSwatchSpacing;
    const double width =
        text_.width(less, font) + legendSpacing + swatches + legendSpacing + text_.width(more, font);
    const QRectF row = layout_.legend.adjusted(0, legendTopPadding, 0, 0);
    const double middle = row.center().y();
    const double baseline = middle + (metrics.ascent() - metrics.descent()) / 2;
    double x = row.center().x() - width / 2;
    painter.setPen(whiteAt(0.45));
    text_.drawAtBaseline(painter, x, baseline, less, font);
    x += text_.width(less, font) + legendSpacing;
    for (int i = 0; i < 5; ++i) {
        const QRectF swatch(x, middle - legendSwatch / 2, legendSwatch, legendSwatch);
        painter.fillPath(continuousRoundedRect(swatch, legendSwatchRadius), activityLegendColor(i));
        x += legendSwatch + legendSwatchSpacing;
    }
    x += legendSpacing - legendSwatchSpacing;
    painter.setPen(whiteAt(0.45));
    text_.drawAtBaseline(painter, x, baseline, more, font);
}

void ActivityHeatMapView::paintGhost(QPainter& painter, const DashboardButton* button, const QRectF& rect,
                                     DashboardSymbol symbol, double pixelSize, double now) const {
    const double hover = button ? button->hoverAt(now) : 0;
    const double press = button ? button->pressAt(now) : 0;
    const ButtonLook look = ButtonLook::ghost(hover, press, system_.reduceMotion.get());
    painter.save();
    painter.setOpacity(painter.opacity() * look.opacity);
    if (look.scale != 1) {
        const QPointF centre = rect.center();
        painter.translate(centre);
        painter.scale(look.scale, look.scale);
        painter.translate(-centre);
    }
    paintSymbol(painter, symbol, rect, pixelSize, whiteAt(look.labelOpacity));
    painter.restore();
}

} // namespace vornela
