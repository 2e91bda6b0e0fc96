#include "ui/activity/ShareCardRenderer.h"

#include "core/activity/ShareGrain.h"
#include "ui/activity/ActivityHeatMapChart.h"
#include "ui/base/BoxBlur.h"
#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/Typography.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace vornela {

namespace {

constexpr double headerTop = 64;
constexpr double iconSide = 108;
constexpr double iconRadius = 26;
constexpr double headerSpacing = 22;
constexpr double panelMargin = 140;
constexpr double panelPaddingX = 44;
constexpr double panelPaddingY = 36;
constexpr double panelSpacing = 28;
constexpr double titleSpacing = 8;
constexpr double panelRadius = 32;
constexpr double shadowRadius = 36;
constexpr double shadowOffsetY = 20;
constexpr double footerBottom = 56;
// Between header, panel and footer.
constexpr double stackSpacing = 8;
constexpr double swatchSide = 16;
constexpr double swatchRadius = 3.5;
constexpr double swatchSpacing = 5;
constexpr double legendSpacing = 10;

// A gradient that starts at a radius: the circles share their centre, so a plain radial gradient
// from the centre with its stops moved out does the same, and has no seam at the centre (Qt's
// focal-radius form leaves a dark pixel there).
QRadialGradient radialGradient(QPointF centre, double startRadius, double endRadius,
                               const std::vector<std::pair<QColor, double>>& stops) {
    QRadialGradient gradient(centre, endRadius);
    const double start = endRadius > 0 ? std::clamp(startRadius / endRadius, 0.0, 1.0) : 0;
    if (!stops.empty())
        gradient.setColorAt(0, stops.front().first);
    for (const auto& [color, position] : stops)
        gradient.setColorAt(start + (1 - start) * position, color);
    return gradient;
}

QRadialGradient radialGradient(const RadialLayer& layer, QPointF centre) {
    std::vector<std::pair<QColor, double>> stops;
    for (const auto& [color, position] : layer.stops)
        stops.emplace_back(toQColor(color), position);
    return radialGradient(centre, layer.startRadius, layer.endRadius, stops);
}

double lineHeight(const QFont& font) {
    return QFontMetricsF(font).height();
}

// A line of text centred vertically in a box of its own height, starting at x.
void drawLine(QPainter& painter, const QFont& font, const QColor& color, const QRectF& box,
              Qt::Alignment align, const QString& text) {
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, align | Qt::AlignVCenter, text);
}

struct Fonts {
    QFont name = interfaceFont(56, FontWeight::semibold);
    QFont title = interfaceFont(40, FontWeight::semibold);
    QFont range = interfaceFont(22, FontWeight::medium);
    QFont legend = interfaceFont(16, FontWeight::medium);
    QFont footer = interfaceFont(40, FontWeight::medium);
};

void paintPanelShadow(QPainter& painter, const QRectF& panel) {
    // Blurred off to the side at full resolution, then laid under the panel.
    const double sigma = shadowRadius / 2;
    const int margin = int(std::ceil(3 * sigma));
    QImage shadow(
        QSize(int(std::ceil(panel.width())) + 2 * margin, int(std::ceil(panel.height())) + 2 * margin),
        QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(continuousRoundedRect(QRectF(margin, margin, panel.width(), panel.height()), panelRadius),
                   QColor::fromRgbF(0, 0, 0, 0.45f));
    }
    gaussianBlur(shadow, sigma);
    painter.drawImage(QPointF(panel.left() - margin, panel.top() - margin + shadowOffsetY), shadow);
}

void paintLegend(QPainter& painter, const Fonts& fonts, double centreX, double top) {
    const QFontMetricsF metrics(fonts.legend);
    const QString less = QStringLiteral("Less");
    const QString more = QStringLiteral("More");
    const double swatches = 5 * swatchSide + 4 * swatchSpacing;
    const double rowHeight = std::max(swatchSide, lineHeight(fonts.legend));
    const double width = metrics.horizontalAdvance(less) + legendSpacing + swatches + legendSpacing +
                         metrics.horizontalAdvance(more);
    double x = centreX - width / 2;
    drawLine(painter, fonts.legend, whiteAt(0.42), QRectF(x, top, metrics.horizontalAdvance(less), rowHeight),
             Qt::AlignLeft, less);
    x += metrics.horizontalAdvance(less) + legendSpacing;
    for (int i = 0; i < 5; ++i) {
        const QRectF swatch(x, top + (rowHeight - swatchSide) / 2, swatchSide, swatchSide);
        painter.fillPath(continuousRoundedRect(swatch, swatchRadius), activityLegendColor(i));
        x += swatchSide + swatchSpacing;
    }
    x += legendSpacing - swatchSpacing;
    drawLine(painter, fonts.legend, whiteAt(0.42), QRectF(x, top, metrics.horizontalAdvance(more), rowHeight),
             Qt::AlignLeft, more);
}

} // namespace

ShareCardRenderer::ShareCardRenderer(QImage icon, QString webAddress)
    : icon_(std::move(icon)), webAddress_(std::move(webAddress)) {}

void ShareCardRenderer::paintBackground(QPainter& painter, ActivityShareBackground background) {
    const QRectF card(0, 0, width, height);
    painter.fillRect(card, toQColor(palette(background).d));
    for (const RadialLayer& layer : radialLayers(background)) {
        painter.fillRect(card, radialGradient(layer, QPointF(layer.cx * width, layer.cy * height)));
    }
    QLinearGradient sheen(QPointF(width / 2.0, 0), QPointF(width / 2.0, sheenEndY * height));
    sheen.setStops({{0, whiteAt(sheenOpacity(background))}, {1, QColor(0, 0, 0, 0)}});
    painter.fillRect(card, sheen);
    const QPointF middle(width / 2.0, height / 2.0);
    QRadialGradient vignette(middle, vignetteEndRadius, middle, vignetteStartRadius);
    vignette.setStops(
        {{0, QColor(0, 0, 0, 0)}, {1, QColor::fromRgbF(0, 0, 0, float(vignetteOpacity(background)))}});
    painter.fillRect(card, vignette);
    paintGrain(painter, background);
}

void ShareCardRenderer::paintGrain(QPainter& painter, ActivityShareBackground background) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double layerOpacity = grainOpacity(background);
    ShareGrain grain(grainSeed(background), width, height);
    for (std::uint64_t i = 0; i < grain.count(); ++i) {
        const GrainDot dot = grain.next();
        painter.setBrush(whiteAt(dot.opacity * layerOpacity));
        painter.drawEllipse(QRectF(dot.x, dot.y, 1.1, 1.1));
    }
    painter.restore();
}

QImage ShareCardRenderer::render(const ShareCardContent& content, ActivityShareBackground background) const {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    paintBackground(painter, background);

    const Fonts fonts;
    const ActivityHeatMapChart chart(content.grid, ActivityHeatMapChartStyle::shareCard,
                                     content.firstWeekday);
    const QSizeF chartSize = chart.size();
    const double headerHeight = headerTop + std::max(iconSide, lineHeight(fonts.name));
    const double titleBlock = lineHeight(fonts.title) + titleSpacing + lineHeight(fonts.range);
    const double legendHeight = std::max(swatchSide, lineHeight(fonts.legend));
    const double panelHeight =
        2 * panelPaddingY + titleBlock + panelSpacing + chartSize.height() + panelSpacing + legendHeight;
    const double footerHeight = lineHeight(fonts.footer) + footerBottom;
    const double total = headerHeight + stackSpacing + panelHeight + stackSpacing + footerHeight;
    double y = (height - total) / 2;

    // Header: the icon and the name, centred as one row.
    const QFontMetricsF nameMetrics(fonts.name);
    const QString name = QStringLiteral("Vornela");
    const double nameWidth = nameMetrics.horizontalAdvance(name);
    const double rowWidth = (icon_.isNull() ? 0 : iconSide + headerSpacing) + nameWidth;
    double x = (width - rowWidth) / 2;
    const double rowTop = y + headerTop;
    const double rowHeight = headerHeight - headerTop;
    if (!icon_.isNull()) {
        const QRectF iconBox(x, rowTop + (rowHeight - iconSide) / 2, iconSide, iconSide);
        painter.save();
        painter.setClipPath(continuousRoundedRect(iconBox, iconRadius));
        painter.drawImage(iconBox, icon_);
        painter.restore();
        x += iconSide + headerSpacing;
    }
    drawLine(painter, fonts.name, whiteAt(0.97), QRectF(x, rowTop, nameWidth + 1, rowHeight), Qt::AlignLeft,
             name);
    y += headerHeight + stackSpacing;

    // The panel: a lifted dark slab holding the title, the chart and the legend.
    const QRectF panel(panelMargin, y, width - 2 * panelMargin, panelHeight);
    paintPanelShadow(painter, panel);
    painter.fillPath(continuousRoundedRect(panel, panelRadius), QColor::fromRgbF(0.095f, 0.095f, 0.105f));
    painter.strokePath(continuousRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), panelRadius - 0.5),
                       QPen(whiteAt(0.09), 1));
    const QRectF inner = panel.adjusted(panelPaddingX, panelPaddingY, -panelPaddingX, -panelPaddingY);
    double top = inner.top();
    drawLine(painter, fonts.title, whiteAt(1),
             QRectF(inner.left(), top, inner.width(), lineHeight(fonts.title)), Qt::AlignLeft,
             QStringLiteral("Work rhythm"));
    top += lineHeight(fonts.title) + titleSpacing;
    drawLine(painter, fonts.range, whiteAt(0.48),
             QRectF(inner.left(), top, inner.width(), lineHeight(fonts.range)), Qt::AlignLeft,
             QString::fromStdString(content.dateRange));
    top += lineHeight(fonts.range) + panelSpacing;
    chart.paint(painter, QRectF(inner.left(), top, inner.width(), chartSize.height()));
    top += chartSize.height() + panelSpacing;
    paintLegend(painter, fonts, inner.center().x(), top);
    y += panelHeight + stackSpacing;

    drawLine(painter, fonts.footer, whiteAt(0.62), QRectF(0, y, width, lineHeight(fonts.footer)),
             Qt::AlignHCenter, webAddress_);
    painter.end();
    return image;
}

std::optional<QByteArray> encodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    // JPEG has no alpha: the card is opaque, so dropping it changes nothing.
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return std::nullopt;
    return bytes;
}

QImage applicationIcon(int side) {
    QImageReader reader(QStringLiteral(":/vornela/vornela.svg"));
    reader.setScaledSize(QSize(side, side));
    return reader.read();
}

QString productWebAddress() {
    return QStringLiteral(VORNELA_WEB_ADDRESS);
}

} // namespace vornela
