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

bool SingleInstance::handOver(const QString& name, const QStringList& arguments, int timeoutMs)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // Arguments cannot hold a zero byte, so it separates them.
    const QByteArray line = arguments.join(QChar(0)).toUtf8();
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
    // An abstract socket vanishes with its program, so a crash leaves nothing behind, and a name
    // in use cannot be taken from a running program.
    m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
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
            emit argumentsReceived(line.isEmpty() ? QStringList() : line.split(QChar(0)));
        });
    }
}

} // namespace gp::ui
