#include "app/gui/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace quorvex {

QString SingleInstance::serverName() {
    const QString overridden = qEnvironmentVariable("QUORVEX_INSTANCE_NAME");
    if (!overridden.isEmpty()) return overridden;
    return QStringLiteral("quorvex-%1").arg(::getuid());
}

// The request is one line: "activate", or "open " and the path in percent-encoded UTF-8 (a
// path may hold any character but NUL, a line break among them).
bool SingleInstance::activateRunningInstance(const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(path.isEmpty() ? QByteArray("activate\n")
                                : "open " + path.toUtf8().toPercentEncoding() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.readAll().startsWith("yes");
}

SingleInstance::SingleInstance(Answer answer, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), answer_(std::move(answer)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName())) {
        // A socket left by an instance that ended abnormally: nobody answers on it.
        QLocalSocket probe;
        probe.connectToServer(serverName());
        if (!probe.waitForConnected(200)) {
            QLocalServer::removeServer(serverName());
            server_->listen(serverName());
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine()) return;
                const QByteArray request = socket->readLine().trimmed();
                const QString path =
                    request.startsWith("open ")
                        ? QString::fromUtf8(QByteArray::fromPercentEncoding(request.mid(5)))
                        : QString();
                socket->write(answer_(path) ? "yes\n" : "no\n");
                socket->flush();
            });
        }
    });
}

SingleInstance::~SingleInstance() {
    server_->close();
}

bool SingleInstance::isListening() const {
    return server_->isListening();
}

} // namespace quorvex
