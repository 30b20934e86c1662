#include "screens/WorkflowCanvas.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace gp::ui {

namespace {

// A ratio a hair above a whole number is that number (1.0000001 is a scale of 1, not 2).
constexpr qreal kRatioSlack = 0.01;

} // namespace

WorkflowCanvas::WorkflowCanvas(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int WorkflowCanvas::screenDensity() const { return std::max(1, qCeil(devicePixelRatioF() - kRatioSlack)); }

void WorkflowCanvas::setDensity(int density) { m_density = std::max(1, density); }

Point WorkflowCanvas::toDisplay(QPointF at) const
{
    return { qRound(at.x() * m_density), qRound(at.y() * m_density) };
}

QRectF WorkflowCanvas::fromDisplay(const Rect& r) const
{
    const qreal d = m_density;
    return { r.left / d, r.top / d, r.width() / d, r.height() / d };
}

void WorkflowCanvas::setPicture(QImage picture, Rect place)
{
    m_picture = std::move(picture);
    m_picture.setDevicePixelRatio(m_density);
    m_place = place;
    update();
}

void WorkflowCanvas::clearPicture()
{
    m_picture = QImage();
    update();
}

void WorkflowCanvas::checkDensity()
{
    if (densityChanged && screenDensity() != m_density)
        densityChanged();
}

bool WorkflowCanvas::event(QEvent* event)
{
    // A widget learns of a move to another screen from this event; from Qt 6.6 a change of the
    // ratio on the same screen has its own event.
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        checkDensity();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void WorkflowCanvas::paintEvent(QPaintEvent*)
{
    // A window system that changes the scale without telling the widget still repaints it at the
    // new ratio: the picture is made again once this painting (of the old copy, scaled) is done.
    if (densityChanged && screenDensity() != m_density)
        QMetaObject::invokeMethod(this, &WorkflowCanvas::checkDensity, Qt::QueuedConnection);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.isNull())
        painter.drawImage(fromDisplay(m_place), m_picture);
    if (drawOver)
        drawOver(painter);
}

void WorkflowCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed)
        pressed(toDisplay(event->position()));
}

void WorkflowCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (moved)
        moved(toDisplay(event->position()), (event->buttons() & Qt::LeftButton) != 0);
}

void WorkflowCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && released)
        released(toDisplay(event->position()));
}

} // namespace gp::ui
