#pragma once

#include "core/activity/ActivityPageModel.h"
#include "core/base/Clock.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/DashboardSymbol.h"
#include "ui/base/StaticTextCache.h"
#include "ui/dashboard/DashboardButton.h"

#include <QImage>
#include <QPointer>
#include <QRectF>

#include <functional>
#include <optional>

class QPainter;
class QWidget;

namespace vornela {

// The notch's activity page: a title row with back and share, the heat map of the last three
// months and its legend. Like the dashboard it is painted by the notch container under its
// reveal; its two buttons are transparent controls on the container.
class ActivityHeatMapView {
public:
    struct Layout {
        QRectF back;
        QRectF title;
        QRectF share;
        QRectF chart;
        QRectF legend;
    };
    static constexpr double horizontalPadding = 14;
    static constexpr double topPadding = 8;
    static constexpr double bottomPadding = 28;
    static constexpr double rowHeight = 22;
    static constexpr double spacing = 12;

    static Layout layoutIn(const QRectF& area, double chartHeight);

    ActivityHeatMapView(ActivityPageModel& model, const Clock& clock, const SystemPreferences& system,
                        QWidget* host);
    ~ActivityHeatMapView();
    ActivityHeatMapView(const ActivityHeatMapView&) = delete;
    ActivityHeatMapView& operator=(const ActivityHeatMapView&) = delete;

    void setArea(const QRectF& area);
    void setVisible(bool visible);
    bool isVisible() const { return visible_; }

    void paint(QPainter& painter, double now) const;
    // 0 while a button's look moves, else a still picture.
    std::optional<double> nextFrameDelay(double now) const;

    DashboardButton* backButton() const { return back_; }
    DashboardButton* shareButton() const { return share_; }
    // What assistive technologies find: the page, its chart (labelled with the tracked days) and
    // its legend, as empty widgets over what is drawn.
    QWidget* accessiblePage() const { return page_; }
    QWidget* accessibleChart() const { return chart_; }
    const Layout& layout() const { return layout_; }

    std::function<void()> onLookChanged;

private:
    void syncControls();
    void paintStill(QPainter& painter, const ActivityHeatMapGrid& grid) const;
    void paintLegend(QPainter& painter) const;
    void paintGhost(QPainter& painter, const DashboardButton* button, const QRectF& rect,
                    DashboardSymbol symbol, double pixelSize, double now) const;

    ActivityPageModel& model_;
    const Clock& clock_;
    const SystemPreferences& system_;
    QPointer<DashboardButton> back_;
    QPointer<DashboardButton> share_;
    QPointer<QWidget> page_;
    QPointer<QWidget> chart_;
    QPointer<QWidget> legend_;
    Subscription modelSubscription_;
    mutable StaticTextCache text_;
    QRectF area_;
    Layout layout_;
    bool visible_ = false;

    // The title, chart and legend change only with the day record, the date or the place: they
    // are drawn once into a layer, and each frame adds the two buttons over it.
    struct LayerKey {
        ActivityHeatMapGrid grid;
        double devicePixelRatio = 0;
        QRectF area;
        friend bool operator==(const LayerKey&, const LayerKey&) = default;
    };
    mutable std::optional<LayerKey> layerKey_;
    mutable QImage layer_;
};

} // namespace vornela
