#pragma once

#include "core/activity/ActivityHeatMapGrid.h"
#include "core/activity/ActivityShareBackground.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <string>

class QPainter;

namespace vornela {

// What a card shows besides its background.
struct ShareCardContent {
    ActivityHeatMapGrid grid;
    std::string dateRange;
    int firstWeekday = 1;
};

// The "work rhythm" card: 2022 × 1674 pixels whatever the screen's scale.
class ShareCardRenderer {
public:
    static constexpr int width = 2022;
    static constexpr int height = 1674;
    static constexpr int jpegQuality = 84;

    // `icon` may be null: the header then shows the name alone.
    ShareCardRenderer(QImage icon, QString webAddress);

    QImage render(const ShareCardContent& content, ActivityShareBackground background) const;
    // Just the backdrop (glows, sheen, vignette and grain), into a painter over width × height.
    static void paintBackground(QPainter& painter, ActivityShareBackground background);
    static void paintGrain(QPainter& painter, ActivityShareBackground background);

private:
    QImage icon_;
    QString webAddress_;
};

// The card as a JPEG file's bytes; nothing when the encoder fails (no plugin, a null image).
std::optional<QByteArray> encodeJpeg(const QImage& image, int quality = ShareCardRenderer::jpegQuality);

// The application's icon drawn from its SVG at `side` pixels; null when it cannot be read.
QImage applicationIcon(int side);

// The address the card's footer shows (set when building).
QString productWebAddress();

} // namespace vornela
