#include "views/TextComposeView.h"

#include "gfx/QtDrawingContext.h"
#include "layout/TextComposer.h"

#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

TextComposeView::TextComposeView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

std::optional<std::size_t> TextComposeView::itemAt(QPoint at)
{
    if (!m_composer)
        return std::nullopt;
    // Measured with a painter of its own: the hit test runs outside painting.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    gfx::QtDrawingContext dc(painter);
    return m_composer->itemAt(dc, { at.x(), at.y() });
}

void TextComposeView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_background.isNull())
        painter.drawImage(QPoint(0, 0), m_background);
    if (!m_composer)
        return;
    gfx::QtDrawingContext dc(painter);
    m_composer->list().draw(dc, m_composer->box());
}

void TextComposeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_composer)
        return;
    // The keyboard goes back to the frame while a text is handled with the mouse.
    if (QWidget* frame = window())
        frame->setFocus();
    const auto hit = itemAt(event->position().toPoint());
    if (!hit || !m_composer->select(*hit))
        return;
    m_dragging = true;
    m_dragFrom = event->position().toPoint();
    update();
}

void TextComposeView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!m_dragging) {
        setCursor(itemAt(at) ? Qt::SizeAllCursor : Qt::ArrowCursor);
        return;
    }
    m_composer->moveCurrent(at.x() - m_dragFrom.x(), at.y() - m_dragFrom.y());
    m_dragFrom = at;
    update();
}

void TextComposeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragging || !m_composer)
        return;
    m_dragging = false;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    gfx::QtDrawingContext dc(painter);
    m_composer->keepInside(dc);
    update();
    if (m_composer->current())
        emit itemChosen(*m_composer->current());
}

} // namespace gp::ui
