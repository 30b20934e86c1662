#include "frame/SingleInstance.h"

#include <QLocalSocket>
#include <QProcessEnvironment>

namespace gp::ui {

namespace {

constexpr char kAck[] = "ACK";

} // namespace

QString SingleInstance::socketName()
{
    const auto environment = QProcessEnvironment::systemEnvironment();
    const QString forced = environment.value(QStringLiteral("GLIMMERPRESS_INSTANCE_NAME"));
    if (!forced.isEmpty())
        return forced;
    QString user = environment.value(QStringLiteral("USER"));
    if (user.isEmpty())
        user = environment.value(QStringLiteral("LOGNAME"), QStringLiteral("user"));
    return QStringLiteral("glimmerpress-") + user;
}

bool SingleInstance::handOver(const QString& name, const QString& commandLine, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QByteArray line = commandLine.toUtf8();
    socket.write(QByteArray::number(line.size()) + '\n' + line);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < qint64(sizeof kAck - 1))
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.read(sizeof kAck - 1) == kAck;
}

bool SingleInstance::listen(const QString& name)
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::readConnection, Qt::UniqueConnection);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(name))
        return true;
    // Someone answers on that name: not ours to take.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(300))
        return false;
    QLocalServer::removeServer(name);
    return m_server.listen(name);
}

void SingleInstance::readConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const int newline = socket->peek(32).indexOf('\n');
            if (newline < 0)
                return;
            bool ok = false;
            const qint64 length = socket->peek(newline).toLongLong(&ok);
            // A command line is short; a bogus length closes the connection.
            if (!ok || length < 0 || length > 1 << 20) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < newline + 1 + length)
                return;
            socket->read(newline + 1);
            const QString line = QString::fromUtf8(socket->read(length));
            socket->write(kAck, sizeof kAck - 1);
            socket->flush();
            emit commandLineReceived(line);
        });
    }
}

} // namespace gp::ui
