#include "dialogs/PreviewPane.h"

#include "gfx/QtImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

PreviewPane::PreviewPane(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kSide, kSide);
}

void PreviewPane::showImage(const Image* image, int density)
{
    m_picture = image ? gfx::toQImage(*image) : QImage();
    m_picture.setDevicePixelRatio(density);
    update();
}

void PreviewPane::setPannable(bool on)
{
    m_pannable = on;
    m_dragging = false;
    setCursor(on ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void PreviewPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    if (m_picture.isNull())
        return;
    const QSize size = m_picture.deviceIndependentSize().toSize();
    const QPoint origin((width() - size.width()) / 2, (height() - size.height()) / 2);
    // The frame is a black area one window pixel larger on each side under the picture: a drawn
    // outline would, on a dense screen, cover the picture's last device pixels.
    painter.fillRect(QRect(origin - QPoint(1, 1), size + QSize(2, 2)), Qt::black);
    // At a fractional scale the 2x picture is shrunk smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_picture.devicePixelRatio() != devicePixelRatioF());
    painter.drawImage(origin, m_picture);
}

void PreviewPane::mousePressEvent(QMouseEvent* event)
{
    if (!m_pannable || event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_last = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QPoint now = event->position().toPoint();
    const QPoint movement = now - m_last;
    m_last = now;
    // The crop follows the mouse movement.
    if (!movement.isNull())
        emit dragged(movement.x(), movement.y());
}

void PreviewPane::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
}

} // namespace gp::ui
