#pragma once
// One running program per user. The first start listens on a local socket named after the user
// (in the abstract namespace, so a crashed program leaves no socket file behind); a later start
// connects, hands over its command line and ends.

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace gp::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name: "glimmerpress-<user>", or GLIMMERPRESS_INSTANCE_NAME when set.
    static QString socketName();

    // Sends the command line's arguments to a running program; true when it took them.
    static bool handOver(const QString& name, const QStringList& arguments, int timeoutMs = 1000);

    // Starts listening; false when the name cannot be had.
    bool listen(const QString& name);

signals:
    void argumentsReceived(const QStringList& arguments);

private:
    void readConnection();
    QLocalServer m_server;
};

} // namespace gp::ui
