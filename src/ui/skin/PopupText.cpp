#include "skin/PopupText.h"

#include <QFontMetrics>
#include <QPainter>

namespace gp::ui {

namespace {

QPointer<PopupText>& currentPopup()
{
    static QPointer<PopupText> popup;
    return popup;
}

QFont popupFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    return font;
}

} // namespace

PopupText::PopupText(QWidget* window, const QString& text)
    : QWidget(window)
    , m_text(text)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    const QFontMetrics metrics(popupFont());
    resize(metrics.horizontalAdvance(text) + 8, metrics.height() + 4);
}

PopupText* PopupText::current()
{
    return currentPopup();
}

void PopupText::close()
{
    if (PopupText* popup = currentPopup()) {
        popup->hide();
        popup->deleteLater();
        currentPopup() = nullptr;
    }
}

PopupText* PopupText::show(QWidget* window, QPoint point, QString text)
{
    if (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    if (text.isEmpty() || !window) {
        close();
        return nullptr;
    }
    if (PopupText* popup = currentPopup(); popup && popup->m_text == text)
        return popup;
    close();
    auto* popup = new PopupText(window, text);
    const int x = std::max(0, std::min(point.x() + 16, window->width() - popup->width() - 4));
    const int y = std::max(0, std::min(point.y() + 16, window->height() - popup->height() - 4));
    popup->move(x, y);
    popup->QWidget::show();
    popup->raise();
    currentPopup() = popup;
    return popup;
}

void PopupText::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 255, 0));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(popupFont());
    p.drawText(rect(), Qt::AlignCenter, m_text);
}

void PopupText::mouseMoveEvent(QMouseEvent*)
{
    close();
}

} // namespace gp::ui
