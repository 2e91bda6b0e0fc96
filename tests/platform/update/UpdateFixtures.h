#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

#include <archive.h>
#include <archive_entry.h>
#include <sodium.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vornela::testing {

// A small HTTP/1.1 server on 127.0.0.1 that answers each path as told.
class LoopbackServer : public QTcpServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body = {};
        QByteArray location = {};
        bool stall = false; // sends the head and a first byte, then nothing more
    };

    LoopbackServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                serve(socket);
        });
    }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }
    std::map<QByteArray, Answer> answers;

private:
    void serve(QTcpSocket* socket) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            const Answer answer = answers[request->split(' ').value(1)];
            QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " Answer\r\n";
            if (!answer.location.isEmpty())
                head += "Location: " + answer.location + "\r\n";
            if (answer.stall) {
                socket->write(head + "Content-Length: 1000\r\n\r\nx");
                return;
            }
            socket->write(head + "Content-Length: " + QByteArray::number(answer.body.size()) +
                          "\r\nConnection: close\r\n\r\n" + answer.body);
            socket->disconnectFromHost();
        });
    }
};

struct SigningKey {
    SigningKey() {
        if (sodium_init() < 0)
            std::abort();
        crypto_sign_keypair(publicKey, secretKey);
    }
    QByteArray publicBase64() const {
        return QByteArray(reinterpret_cast<const char*>(publicKey), sizeof publicKey).toBase64();
    }
    std::string sign(const QByteArray& data) const {
        unsigned char signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(data.constData()),
                             static_cast<unsigned long long>(data.size()), secretKey);
        return QByteArray(reinterpret_cast<const char*>(signature), sizeof signature)
            .toBase64()
            .toStdString();
    }
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
};

// A member of a test archive: a file, a folder ("d"), a symlink ("l") or a hard link ("h").
struct Member {
    std::string path;
    std::string body = {};
    std::string kind = "f";
    std::string link = {};
};

inline QByteArray tarGz(const std::vector<Member>& members) {
    std::vector<char> buffer(1 << 20);
    size_t used = 0;
    archive* writer = archive_write_new();
    archive_write_add_filter_gzip(writer);
    archive_write_set_format_pax_restricted(writer);
    archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
    for (const Member& m : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, m.path.c_str());
        archive_entry_set_perm(entry, 0755);
        if (m.kind == "d") {
            archive_entry_set_filetype(entry, AE_IFDIR);
        } else if (m.kind == "l") {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, m.link.c_str());
        } else if (m.kind == "h") {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_hardlink(entry, m.link.c_str());
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, static_cast<la_int64_t>(m.body.size()));
        }
        archive_write_header(writer, entry);
        if (m.kind == "f")
            archive_write_data(writer, m.body.data(), m.body.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return QByteArray(buffer.data(), static_cast<qsizetype>(used));
}

} // namespace vornela::testing
