#include "views/FullScreenView.h"

#include "image/Document.h"
#include "image/Zoom.h"
#include "shell/StringTable.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

FullScreenView::FullScreenView(const Document& document, DisplaySetup setup)
    : m_document(&document)
    , m_setup(setup)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(text(StringId::ProductName).data()));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

int FullScreenView::zoom() const
{
    return fullScreenZoom(
        m_document->state().zoom, m_offset, { m_document->image().width(), m_document->image().height() });
}

void FullScreenView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const Image& image = m_document->image();
    const int z = zoom();
    const QSize size(zoomedLength(image.width(), z), zoomedLength(image.height(), z));
    const QPoint origin((width() - size.width()) / 2, (height() - size.height()) / 2);
    const QRect rest = paintImage(painter, image, z, origin, event->rect(), m_setup, leftButtonDown);
    if (!rest.isEmpty())
        update(rest);
}

void FullScreenView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_offset += event->modifiers() & Qt::ShiftModifier ? -1 : 1;
    else if (event->button() == Qt::RightButton)
        --m_offset;
    else
        return;
    update();
}

void FullScreenView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_offset = 0;
}

void FullScreenView::closeEvent(QCloseEvent* event)
{
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace gp::ui
