#pragma once

#include "core/activity/ActivityHeatMapGrid.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace vornela {

// The two sizes of the heat map: small on the notch, large on the share card.
enum class ActivityHeatMapChartStyle { notch, shareCard };

struct ActivityHeatMapChartMetrics {
    double rowSpacing;     // weekday column to months, month to month
    double labelSpacing;   // between weekday labels
    double labelColumnTop; // month label height + month column spacing
    double labelWidth;
    double labelHeight;
    double labelFontSize;
    double labelOpacity;
    double monthSpacing; // month label to its weeks
    double monthFontSize;
    double monthOpacity;
    double monthLabelHeight;
    double weekSpacing;
    double daySpacing;
    double cell;
    double cellRadius;
    double todayRingWidth;

    static const ActivityHeatMapChartMetrics& of(ActivityHeatMapChartStyle style);
};

// Draws a grid: weekday labels down the left, then each month's label over its week columns.
// One painter for both styles, so the card and the notch cannot drift apart.
class ActivityHeatMapChart {
public:
    ActivityHeatMapChart(const ActivityHeatMapGrid& grid, ActivityHeatMapChartStyle style, int firstWeekday);

    QSizeF size() const;
    // Centred horizontally in `area`, from its top.
    void paint(QPainter& painter, const QRectF& area) const;

private:
    double weeksWidth(const ActivityHeatMapMonth& month) const;
    double monthWidth(const ActivityHeatMapMonth& month) const;

    const ActivityHeatMapGrid& grid_;
    const ActivityHeatMapChartMetrics& m_;
    int firstWeekday_;
};

// The legend's five swatches, from an empty day to a thriving one, in their colours.
QColor activityLegendColor(int index);
QColor activityCellColor(const ActivityHeatMapDay& day);

} // namespace vornela
