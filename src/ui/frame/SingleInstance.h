#pragma once
// One running program per user. The first start listens on a local socket named after the user;
// a later start connects, hands over its command line and ends. A socket left behind by a
// crashed program is removed, but only after a second attempt to connect to it failed, so two
// starts at once cannot delete a live one.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace gp::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name: "glimmerpress-<user>", or GLIMMERPRESS_INSTANCE_NAME when set.
    static QString socketName();

    // Sends the command line to a running program; true when it took it.
    static bool handOver(const QString& name, const QString& commandLine, int timeoutMs = 1000);

    // Starts listening; false when the name cannot be had.
    bool listen(const QString& name);

signals:
    void commandLineReceived(const QString& commandLine);

private:
    void readConnection();
    QLocalServer m_server;
};

} // namespace gp::ui
