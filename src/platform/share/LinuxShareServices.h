#pragma once

#include "core/activity/SharePreviewServices.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace vornela {

// The share preview's exports on a Linux desktop: the clipboard, a save dialog, a private
// temporary JPEG and a menu of what desktops do with a file. Drawing the card is handed in.
class LinuxShareServices : public SharePreviewServices {
public:
    struct Drawing {
        std::function<QImage(const IntMap& history, ActivityShareBackground background, double now)> render;
        std::function<std::optional<QByteArray>(const QImage& image)> jpeg;
    };

    // The card as these services hold it.
    class Card : public ShareCardImage {
    public:
        explicit Card(QImage pixels) : image(std::move(pixels)) {}
        const QImage image;
    };

    static constexpr const char* savedFileName = "Vornela-Work-Rhythm.jpg";

    explicit LinuxShareServices(Drawing drawing);
    ~LinuxShareServices() override;
    LinuxShareServices(const LinuxShareServices&) = delete;
    LinuxShareServices& operator=(const LinuxShareServices&) = delete;

    // The preview window: the save dialog sits over it and the share menu opens from it.
    void setWindow(QWidget* window) { window_ = window; }
    // The pixels of a card these services drew; null for any other image.
    static QImage pixels(const ShareCardImage& image);
    // Where temporary cards go: private to the user (0700), in the runtime directory when there
    // is one. Created on demand; empty when it cannot be made private.
    static QString temporaryDirectory();

    // Drawn on a worker thread of its own, handed back on the main thread.
    void renderCard(const IntMap& history, ActivityShareBackground background, double now,
                    std::function<void(ShareCardImagePtr)> done) override;
    void copy(const ShareCardImage& image) override;
    void save(const ShareCardImage& image, std::function<void(bool saved)> completion) override;
    std::optional<std::string> writeTemporaryJpeg(const ShareCardImage& image) override;
    void removeFile(const std::string& path) override;
    void share(const ShareItem& item, const Rect& anchor) override;

private:
    std::optional<QByteArray> jpeg(const ShareCardImage& image) const;
    void showInFileManager(const QString& path);

    Drawing drawing_;
    QPointer<QWidget> window_;
    // Receiver of dialog, menu, D-Bus and drawing callbacks: none runs after the services are gone.
    QObject context_;
    // One card at a time, off the interface thread; destroyed first, it waits for the card being
    // drawn, so the drawing never outlives what it draws with.
    QThreadPool drawer_;
};

} // namespace vornela
