#pragma once
// Keeps the desktop's screen saver from starting while it exists (the slide show refuses the
// screen saver while it runs). It asks the session's screen-saver service over the message bus
// to hold off and lets it go again when destroyed. Without a bus or a service it does nothing:
// the show runs as before, and the screen saver may start.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QDBusPendingCallWatcher;

namespace gp::ui {

class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    // reason: the text the desktop may show for the hold-off.
    explicit ScreenSaverInhibitor(const QString& reason, QDBusConnection bus = QDBusConnection::sessionBus());
    ~ScreenSaverInhibitor() override;

    // Whether the service has granted the hold-off (answers arrive through the event loop).
    bool holding() const { return m_cookie.has_value(); }

private:
    QDBusConnection m_bus;
    std::unique_ptr<QDBusPendingCallWatcher> m_request;
    std::optional<quint32> m_cookie;
};

} // namespace gp::ui
