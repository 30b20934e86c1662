#include "frame/HelpKeyHook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

namespace gp::ui {

HelpKeyHook::HelpKeyHook(std::function<void()> onHelp)
    : m_onHelp(std::move(onHelp))
{
    QCoreApplication::instance()->installEventFilter(this);
}

HelpKeyHook::~HelpKeyHook()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool HelpKeyHook::eventFilter(QObject* watched, QEvent* event)
{
    // The key reaches the filter for the platform window and then for the focus widget; it is
    // taken at the widget, so it asks once. The help window opens after the key is handled.
    if (m_enabled && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat() && watched->isWidgetType()) {
            QTimer::singleShot(0, this, [this] {
                if (m_onHelp)
                    m_onHelp();
            });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace gp::ui
