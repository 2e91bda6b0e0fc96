#include "ui/activity/ActivityHeatMapChart.h"

#include "ui/base/ContinuousRoundedRect.h"
#include "ui/base/QtConversions.h"
#include "ui/base/Typography.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vornela {

namespace {

const QColor emptyDay = whiteAt(0.08);

} // namespace

const ActivityHeatMapChartMetrics& ActivityHeatMapChartMetrics::of(ActivityHeatMapChartStyle style) {
    static const ActivityHeatMapChartMetrics notch{8,  3,    18, 26, 11, 9,  0.45, 6,
                                                   10, 0.58, 12, 3,  3,  11, 2.5,  1};
    static const ActivityHeatMapChartMetrics card{16, 6,    38, 48, 26, 16, 0.5, 12,
                                                  20, 0.62, 26, 6,  6,  26, 5,   1.5};
    return style == ActivityHeatMapChartStyle::notch ? notch : card;
}

QColor activityLegendColor(int index) {
    static constexpr BalanceTier order[] = {BalanceTier::runningOnEmpty, BalanceTier::pushingIt,
                                            BalanceTier::balanced, BalanceTier::thriving};
    return index <= 0 ? emptyDay : toQColor(tierColor(order[std::min(index, 4) - 1]));
}

QColor activityCellColor(const ActivityHeatMapDay& day) {
    return day.tier ? toQColor(tierColor(*day.tier)) : emptyDay;
}

ActivityHeatMapChart::ActivityHeatMapChart(const ActivityHeatMapGrid& grid, ActivityHeatMapChartStyle style,
                                           int firstWeekday)
    : grid_(grid), m_(ActivityHeatMapChartMetrics::of(style)), firstWeekday_(firstWeekday) {}

double ActivityHeatMapChart::weeksWidth(const ActivityHeatMapMonth& month) const {
    const double weeks = static_cast<double>(month.weeks.size());
    return std::max(0.0, weeks * m_.cell + (weeks - 1) * m_.weekSpacing);
}

// A month of one short week is narrower than its name: the column takes the name's width and
// the week sits centred under it.
double ActivityHeatMapChart::monthWidth(const ActivityHeatMapMonth& month) const {
    const QFontMetricsF metrics(interfaceFont(m_.monthFontSize, FontWeight::semibold));
    return std::max(weeksWidth(month),
                    std::ceil(metrics.horizontalAdvance(QString::fromStdString(month.label))));
}

QSizeF ActivityHeatMapChart::size() const {
    double width = m_.labelWidth;
    for (const ActivityHeatMapMonth& month : grid_.months)
        width += m_.rowSpacing + monthWidth(month);
    const double labels = m_.labelColumnTop + 7 * m_.labelHeight + 6 * m_.labelSpacing;
    const double cells = m_.labelColumnTop + 7 * m_.cell + 6 * m_.daySpacing;
    return {width, std::max(labels, cells)};
}

void ActivityHeatMapChart::paint(QPainter& painter, const QRectF& area) const {
    const QSizeF natural = size();
    const double left = area.left() + (area.width() - natural.width()) / 2;
    const double top = area.top();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // Weekday labels, right-aligned in their frames; a label that does not fit shrinks to 70 %.
    QFont labelFont = interfaceFont(m_.labelFontSize, FontWeight::medium);
    painter.setPen(whiteAt(m_.labelOpacity));
    for (int row = 0; row < 7; ++row) {
        const std::optional<std::string> label = weekdayLabel(grid_, row, firstWeekday_);
        if (!label)
            continue;
        const QString text = QString::fromStdString(*label);
        QFont font = labelFont;
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        if (width > m_.labelWidth)
            font.setPixelSize(std::max(1, int(m_.labelFontSize * std::max(0.7, m_.labelWidth / width))));
        painter.setFont(font);
        const QRectF frame(left, top + m_.labelColumnTop + row * (m_.labelHeight + m_.labelSpacing),
                           m_.labelWidth, m_.labelHeight);
        painter.drawText(frame, Qt::AlignRight | Qt::AlignVCenter, text);
    }

    const QFont monthFont = interfaceFont(m_.monthFontSize, FontWeight::semibold);
    const QPen ring(whiteAt(0.62), m_.todayRingWidth);
    double x = left + m_.labelWidth + m_.rowSpacing;
    for (const ActivityHeatMapMonth& month : grid_.months) {
        const double width = monthWidth(month);
        painter.setFont(monthFont);
        painter.setPen(whiteAt(m_.monthOpacity));
        painter.drawText(QRectF(x, top, width, m_.monthLabelHeight), Qt::AlignCenter,
                         QString::fromStdString(month.label));
        double weekX = x + (width - weeksWidth(month)) / 2;
        for (const ActivityHeatMapWeek& week : month.weeks) {
            // A short week (a calendar step failed) sits centred like a full one would.
            const double count = static_cast<double>(week.days.size());
            const double column = count * m_.cell + std::max(0.0, count - 1) * m_.daySpacing;
            double y = top + m_.labelColumnTop + (7 * m_.cell + 6 * m_.daySpacing - column) / 2;
            for (const ActivityHeatMapDay& day : week.days) {
                if (day.isInMonth) {
                    const QRectF cell(weekX, y, m_.cell, m_.cell);
                    painter.fillPath(continuousRoundedRect(cell, m_.cellRadius), activityCellColor(day));
                    if (day.isToday) {
                        // Inside the cell's edge, following its corners.
                        const double inset = m_.todayRingWidth / 2;
                        painter.strokePath(continuousRoundedRect(cell.adjusted(inset, inset, -inset, -inset),
                                                                 m_.cellRadius - inset),
                                           ring);
                    }
                }
                y += m_.cell + m_.daySpacing;
            }
            weekX += m_.cell + m_.weekSpacing;
        }
        x += width + m_.rowSpacing;
    }
    painter.restore();
}

} // namespace vornela
