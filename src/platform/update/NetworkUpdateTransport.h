#pragma once

#include "core/app/UpdateServices.h"

#include <QByteArray>
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace vornela {

// Fetches the update feed and archives over HTTPS, one transfer at a time. Plain HTTP is refused
// except to this machine (the tests' server), before the first request and at every redirect.
// What a server sends is capped (the feed at UpdateFeed::maxBytes, an archive at the length the
// feed lists), and a server that stops sending is given up on.
class NetworkUpdateTransport final : public QObject, public UpdateTransport {
public:
    struct Options {
        // Where archives are saved; best on the same file system as the install.
        QString downloadDirectory;
        // Without a byte for this long the transfer fails.
        int stallMilliseconds = 30000;
    };

    explicit NetworkUpdateTransport(Options options);
    ~NetworkUpdateTransport() override;

    void fetchFeed(const std::string& address, Done done) override;
    void download(const UpdateRelease& release, std::function<void(double)> progress, Done done) override;
    void cancel() override;

    // https anywhere; http only to a loopback address.
    static bool isAllowed(const QUrl& url);

private:
    struct Transfer {
        Done done;
        std::function<void(double)> progress;
        qint64 cap = 0;
        // Exact length the feed promised; 0 for the feed itself.
        qint64 expected = 0;
        qint64 received = 0;
        int redirectsLeft = 5;
        QByteArray body;
        std::unique_ptr<QFile> file;
        QPointer<QNetworkReply> reply;
    };

    void start(const QUrl& url);
    void readSome();
    void finished();
    void fail(std::string why);
    void succeed(std::string value);

    Options options_;
    QNetworkAccessManager network_;
    QTimer stall_;
    std::unique_ptr<Transfer> transfer_;
};

} // namespace vornela
