#include "platform/update/NetworkUpdateTransport.h"

#include <QDir>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace vornela {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

} // namespace

NetworkUpdateTransport::NetworkUpdateTransport(Options options) : options_(std::move(options)) {
    stall_.setSingleShot(true);
    connect(&stall_, &QTimer::timeout, this, [this] { fail("The update server stopped answering."); });
}

NetworkUpdateTransport::~NetworkUpdateTransport() {
    cancel();
}

bool NetworkUpdateTransport::isAllowed(const QUrl& url) {
    if (url.scheme() == QLatin1String("https"))
        return !url.host().isEmpty();
    if (url.scheme() != QLatin1String("http"))
        return false;
    // Nothing on the way to this machine can change what it sends.
    const QString host = url.host();
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

void NetworkUpdateTransport::fetchFeed(const std::string& address, Done done) {
    cancel();
    transfer_ = std::make_unique<Transfer>();
    transfer_->done = std::move(done);
    transfer_->cap = UpdateFeed::maxBytes;
    start(QUrl(QString::fromStdString(address)));
}

void NetworkUpdateTransport::download(const UpdateRelease& release, std::function<void(double)> progress,
                                      Done done) {
    cancel();
    transfer_ = std::make_unique<Transfer>();
    transfer_->done = std::move(done);
    transfer_->progress = std::move(progress);
    transfer_->cap = transfer_->expected = static_cast<qint64>(release.length);
    if (release.length == 0) {
        QTimer::singleShot(0, this, [this] { fail("The update feed gives no length for the download."); });
        return;
    }
    QDir().mkpath(options_.downloadDirectory);
    // A fixed name: nothing from the feed becomes part of a path.
    transfer_->file =
        std::make_unique<QFile>(QDir(options_.downloadDirectory).filePath(QStringLiteral("update.download")));
    if (!transfer_->file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const std::string why = "Could not save the download: " + text(transfer_->file->errorString());
        QTimer::singleShot(0, this, [this, why] { fail(why); });
        return;
    }
    start(QUrl(QString::fromStdString(release.url)));
}

void NetworkUpdateTransport::cancel() {
    stall_.stop();
    if (!transfer_)
        return;
    auto transfer = std::move(transfer_);
    if (transfer->reply) {
        transfer->reply->disconnect(this);
        transfer->reply->abort();
        transfer->reply->deleteLater();
    }
    if (transfer->file)
        transfer->file->remove();
}

void NetworkUpdateTransport::start(const QUrl& url) {
    if (!isAllowed(url)) {
        QTimer::singleShot(0, this, [this] { fail("The update address is not a secure (https) address."); });
        return;
    }
    QNetworkRequest request(url);
    // Each redirect is looked at here: Qt's own policies would follow one to plain http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    transfer_->body.clear();
    transfer_->received = 0;
    if (transfer_->file) {
        transfer_->file->resize(0);
        transfer_->file->seek(0);
    }
    QNetworkReply* reply = network_.get(request);
    transfer_->reply = reply;
    connect(reply, &QNetworkReply::readyRead, this, &NetworkUpdateTransport::readSome);
    connect(reply, &QNetworkReply::finished, this, &NetworkUpdateTransport::finished);
    stall_.start(options_.stallMilliseconds);
}

void NetworkUpdateTransport::readSome() {
    if (!transfer_ || sender() != transfer_->reply)
        return;
    QNetworkReply* reply = transfer_->reply;
    stall_.start(options_.stallMilliseconds);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status / 100 != 2)
        return; // an error page or a redirect's body: not kept
    const QByteArray bytes = reply->readAll();
    transfer_->received += bytes.size();
    if (transfer_->received > transfer_->cap)
        return fail(transfer_->expected ? "The download is larger than the update feed says."
                                        : "The update feed is too large.");
    if (transfer_->file) {
        if (transfer_->file->write(bytes) != bytes.size())
            return fail("Could not save the download: " + text(transfer_->file->errorString()));
        if (transfer_->progress)
            transfer_->progress(double(transfer_->received) / double(transfer_->expected));
    } else {
        transfer_->body += bytes;
    }
}

void NetworkUpdateTransport::finished() {
    if (!transfer_)
        return; // cancel() disconnects the reply it drops: this is the one in progress
    readSome();
    if (!transfer_)
        return;
    QNetworkReply* reply = transfer_->reply;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status / 100 == 3 && reply->hasRawHeader("Location")) {
        const QUrl next = reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        reply->deleteLater();
        transfer_->reply = nullptr;
        if (!isAllowed(next))
            return fail("The update server redirected to an insecure address.");
        if (--transfer_->redirectsLeft < 0)
            return fail("The update server redirected too many times.");
        return start(next);
    }
    if (status != 0 && status / 100 != 2)
        return fail("The update server answered with error " + std::to_string(status) + ".");
    if (reply->error() != QNetworkReply::NoError)
        return fail("Could not reach the update server: " + text(reply->errorString()));
    if (transfer_->file) {
        if (transfer_->received != transfer_->expected)
            return fail("The download's length (" + std::to_string(transfer_->received) +
                        " bytes) does not match the update feed (" + std::to_string(transfer_->expected) +
                        " bytes).");
        transfer_->file->close();
        return succeed(text(transfer_->file->fileName()));
    }
    succeed(transfer_->body.toStdString());
}

void NetworkUpdateTransport::fail(std::string why) {
    Done done = transfer_ ? std::move(transfer_->done) : nullptr;
    cancel();
    if (done)
        done(Failure{std::move(why)});
}

void NetworkUpdateTransport::succeed(std::string value) {
    stall_.stop();
    auto transfer = std::move(transfer_);
    if (transfer->reply)
        transfer->reply->deleteLater();
    transfer->done(std::move(value));
}

} // namespace vornela
