#include "screens/WorkflowCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

WorkflowCanvas::WorkflowCanvas(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WorkflowCanvas::setPicture(QImage picture, QRect place)
{
    m_picture = std::move(picture);
    m_place = place;
    update();
}

void WorkflowCanvas::clearPicture()
{
    m_picture = QImage();
    update();
}

void WorkflowCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull())
        painter.drawImage(m_place, m_picture);
    if (drawOver)
        drawOver(painter);
}

void WorkflowCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed)
        pressed(event->position().toPoint());
}

void WorkflowCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (moved)
        moved(event->position().toPoint(), (event->buttons() & Qt::LeftButton) != 0);
}

void WorkflowCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && released)
        released(event->position().toPoint());
}

} // namespace gp::ui
