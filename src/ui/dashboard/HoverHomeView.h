#pragma once

#include "core/base/Clock.h"
#include "core/base/Signal.h"
#include "core/base/SystemPreferences.h"
#include "core/dashboard/HoverHomeModel.h"
#include "ui/base/StaticTextCache.h"
#include "ui/dashboard/DashboardButton.h"
#include "ui/nudges/DotMatrixView.h"

#include <QImage>
#include <QPointer>
#include <QRectF>

#include <array>
#include <functional>
#include <optional>

class QPainter;
class QWidget;

namespace vornela {

// The hover dashboard painted on the notch's black: the balance badge with its face and ring,
// the tier and subtitle, the activity and settings buttons, and the four goal chips. Not a
// widget: the notch container paints it under its reveal, and its buttons are transparent
// controls on the container placed over what is drawn.
class HoverHomeView {
public:
    // Where everything goes, in the host's coordinates.
    struct Layout {
        QRectF badge;
        QRectF tierName;
        QRectF subtitle;
        QRectF activityButton;
        QRectF settingsButton;
        QRectF rule;
        std::array<QRectF, HoverHomeModel::chipCount> chips;
        std::array<QRectF, HoverHomeModel::chipCount - 1> separators;
    };
    // The dashboard's own height: header, rule and chips.
    static constexpr double contentHeight = 131;
    static constexpr double horizontalPadding = 20;
    static constexpr double badgeSide = 48;
    static constexpr double chipHeight = 56;

    // `area`: the part of the panel below the notch that the dashboard fills.
    static Layout layoutIn(const QRectF& area);
    // The quick action at the far end of a chip's top row.
    static QRectF chipActionRect(const QRectF& chip);
    static QRectF chipBarRect(const QRectF& chip);

    HoverHomeView(HoverHomeModel& model, const NotchViewModel& notch, const Clock& clock,
                  const SystemPreferences& system, QWidget* host);
    ~HoverHomeView();
    HoverHomeView(const HoverHomeView&) = delete;
    HoverHomeView& operator=(const HoverHomeView&) = delete;

    void setArea(const QRectF& area);
    // Off: the face holds still (while the notch changes size).
    void setFaceAnimates(bool animates) { face_.setAnimate(animates); }
    // Off hides the controls: no clicks, no accessibility.
    void setVisible(bool visible);
    bool isVisible() const { return visible_; }

    void paint(QPainter& painter, double now) const;
    // 0: every display frame; > 0: seconds to the face's next blink frame; nullopt: a still picture.
    std::optional<double> nextFrameDelay(double now) const;

    DashboardButton* activityButton() const { return activity_; }
    DashboardButton* settingsButton() const { return settings_; }
    DashboardButton* trackWaterButton() const { return trackWater_; }
    DashboardButton* lunchButton() const { return lunch_; }
    const Layout& layout() const { return layout_; }

    std::function<void()> onLookChanged; // repaint and wake the animation driver

private:
    void modelChanged();
    void releaseLayer();
    void syncControls();
    // Everything but the face, as it looks at `now`.
    void paintContent(QPainter& painter, double now, bool reduceMotion) const;
    void paintFace(QPainter& painter, double now, bool reduceMotion) const;
    void paintHeader(QPainter& painter, double now, bool reduceMotion) const;
    void paintChip(QPainter& painter, std::size_t index, double now, bool reduceMotion) const;

    HoverHomeModel& model_;
    const NotchViewModel& notch_;
    const Clock& clock_;
    const SystemPreferences& system_;
    DotMatrixView face_;
    BalanceScoreResult faceFor_;
    Layout layout_;
    bool visible_ = false;
    // Children of the host; held weakly, the host may go first.
    QPointer<DashboardButton> activity_;
    QPointer<DashboardButton> settings_;
    QPointer<DashboardButton> trackWater_;
    QPointer<DashboardButton> lunch_;
    Subscription modelSubscription_;
    mutable StaticTextCache text_;
    QRectF area_;

    // At rest only the face moves: the rest is drawn once into a layer and reused until something
    // it shows changes (the day's figures, a button's look, the scale or the place).
    struct LayerKey {
        int revision = -1;
        double devicePixelRatio = 0;
        QRectF area;
        std::array<double, 8> buttons{};
        bool lunchOffered = false;
        bool reduceMotion = false;
        friend bool operator==(const LayerKey&, const LayerKey&) = default;
    };
    int revision_ = 0;
    mutable LayerKey layerKey_;
    mutable QImage layer_;
};

} // namespace vornela
