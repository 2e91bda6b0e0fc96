#pragma once

#include "core/notch/ScreenSource.h"
#include "platform/screen/NotchDetector.h"

#include <QObject>

#include <functional>

class QScreen;

namespace vornela {

// The screens Qt knows, in Qt's order, converted to core's coordinates.
class QtScreenSource : public QObject, public ScreenSource {
    Q_OBJECT
public:
    explicit QtScreenSource(NotchDetector detector = NotchDetector(), QObject* parent = nullptr);

    std::vector<ScreenInfo> screens() const override;

    // Screens were added, removed, moved or resized, or the primary changed. Fired once per burst
    // of changes, on the next turn of the event loop.
    std::function<void()> onScreensChanged;

private:
    void watch(QScreen* screen);
    void scheduleChanged();

    NotchDetector detector_;
    bool changePending_ = false;
};

} // namespace vornela
