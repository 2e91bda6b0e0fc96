#include "platform/screen/NotchDetector.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace vornela {

namespace {

// Device-tree files are small; anything bigger is not what we are looking for.
constexpr qint64 maxPropertySize = 4096;
// dcp nodes sit directly under the root or under /soc; a little more depth costs nothing.
constexpr int dcpSearchDepth = 4;

struct NotchedModel {
    const char* modelPrefix; // as the Asahi device trees spell the model
    int fullHeight;          // native panel rows, notch rows included
    int housingWidth;        // device pixels
};

// The MacBooks whose panels have a camera notch.
constexpr NotchedModel notchedModels[] = {
    {"Apple MacBook Pro (14-inch", 1964, 370},
    {"Apple MacBook Pro (16-inch", 2234, 370},
    {"Apple MacBook Air (13-inch", 1664, 326},
    {"Apple MacBook Air (15-inch", 1864, 326},
};

std::optional<QByteArray> readProperty(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.read(maxPropertySize + 1);
    if (data.size() > maxPropertySize)
        return std::nullopt;
    return data;
}

std::optional<int> readBigEndianU32(const QString& path) {
    auto data = readProperty(path);
    if (!data || data->size() != 4)
        return std::nullopt;
    const auto* b = reinterpret_cast<const unsigned char*>(data->constData());
    const quint32 value =
        (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    // A notch a few hundred rows tall is no notch we know.
    if (value == 0 || value > 512)
        return std::nullopt;
    return int(value);
}

std::optional<int> findNotchHeight(const QString& dir, int depth) {
    if (depth <= 0)
        return std::nullopt;
    const QDir node(dir);
    const QStringList children =
        node.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString& child : children) {
        if (child.startsWith(QLatin1String("dcp"))) {
            if (auto height = readBigEndianU32(node.filePath(child) + QStringLiteral("/apple,notch-height")))
                return height;
        }
    }
    for (const QString& child : children) {
        if (auto height = findNotchHeight(node.filePath(child), depth - 1))
            return height;
    }
    return std::nullopt;
}

std::optional<NotchDetector::Panel> readPanel(const QString& root) {
    auto model = readProperty(root + QStringLiteral("/model"));
    if (!model)
        return std::nullopt;
    // Device-tree strings end in NUL.
    while (model->endsWith('\0'))
        model->chop(1);
    const NotchedModel* known = nullptr;
    for (const auto& entry : notchedModels) {
        if (model->startsWith(entry.modelPrefix)) {
            known = &entry;
            break;
        }
    }
    if (!known)
        return std::nullopt;
    const auto notchHeight = findNotchHeight(root, dcpSearchDepth);
    if (!notchHeight)
        return std::nullopt;
    return NotchDetector::Panel{known->fullHeight, *notchHeight, known->housingWidth};
}

} // namespace

NotchDetector::NotchDetector(QString deviceTreeRoot) : panel_(readPanel(deviceTreeRoot)) {}

std::optional<NotchInsets> NotchDetector::notchFor(const Rect& frame, QSize nativePixels,
                                                   double devicePixelRatio) const {
    if (!panel_ || devicePixelRatio <= 0 || nativePixels.height() != panel_->fullHeight)
        return std::nullopt;
    const double inset = panel_->notchHeight / devicePixelRatio;
    const double housing = panel_->housingWidth / devicePixelRatio;
    const double sideWidth = (frame.width - housing) / 2;
    if (sideWidth <= 0 || inset >= frame.height)
        return std::nullopt;
    const double top = frame.maxY() - inset;
    return NotchInsets{
        inset, {frame.x, top, sideWidth, inset}, {frame.maxX() - sideWidth, top, sideWidth, inset}};
}

} // namespace vornela
