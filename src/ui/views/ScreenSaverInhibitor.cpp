#include "views/ScreenSaverInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace gp::ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
// How long the service may take to answer; the window waits for it at most this long on closing.
constexpr int kAnswerMilliseconds = 2000;

QDBusMessage screenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QString& reason, QDBusConnection bus)
    : m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage inhibit = screenSaverCall(QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("Glimmerpress") << reason;
    // Asked without waiting, so a slow or missing service never holds up the show.
    m_request = std::make_unique<QDBusPendingCallWatcher>(m_bus.asyncCall(inhibit, kAnswerMilliseconds));
    connect(m_request.get(), &QDBusPendingCallWatcher::finished, this, [this] {
        const QDBusPendingReply<quint32> reply = *m_request;
        if (reply.isValid())
            m_cookie = reply.value();
    });
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    // A hold-off still being granted is waited for, so it can be let go and never outlives the show.
    if (m_request && !m_request->isFinished()) {
        m_request->waitForFinished();
        const QDBusPendingReply<quint32> reply = *m_request;
        if (reply.isValid())
            m_cookie = reply.value();
    }
    if (!m_cookie)
        return;
    QDBusMessage release = screenSaverCall(QStringLiteral("UnInhibit"));
    release << *m_cookie;
    m_bus.send(release);
}

} // namespace gp::ui
