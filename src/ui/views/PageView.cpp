#include "views/PageView.h"

#include "gfx/QtImage.h"
#include "image/DocumentList.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <cmath>

namespace gp::ui {

PageView::PageView(QWidget* parent, const DocumentList& documents)
    : QWidget(parent)
    , m_documents(&documents)
{
    setAcceptDrops(true);
}

std::vector<QRect> PageView::cellsFor(int count, QRect area)
{
    std::vector<QRect> cells;
    if (count <= 0 || area.isEmpty())
        return cells;
    const int columns = std::max(1, int(std::ceil(std::sqrt(double(count) * area.width() / area.height()))));
    const int rows = (count + columns - 1) / columns;
    const int gap = 8;
    const int w = (area.width() - gap * (columns + 1)) / columns;
    const int h = (area.height() - gap * (rows + 1)) / rows;
    for (int i = 0; i < count; ++i)
        cells.emplace_back(
            area.left() + gap + (i % columns) * (w + gap), area.top() + gap + (i / columns) * (h + gap), w, h);
    return cells;
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const auto& documents = m_documents->all();
    if (documents.empty()) {
        if (!m_blank.isNull())
            p.drawImage((width() - m_blank.width()) / 2, (height() - m_blank.height()) / 2, m_blank);
        return;
    }
    if (!m_background.isNull())
        p.drawImage((width() - m_background.width()) / 2, (height() - m_background.height()) / 2, m_background);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const auto cells = cellsFor(int(documents.size()), rect().adjusted(4, 4, -4, -4));
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const QImage photo = gfx::toQImage(documents[i]->image());
        const QSize fitted = photo.size().scaled(cells[i].size(), Qt::KeepAspectRatio);
        const QRect target(cells[i].center() - QPoint(fitted.width() / 2, fitted.height() / 2), fitted);
        p.fillRect(cells[i], Qt::white);
        p.drawImage(target, photo);
        p.setPen(documents[i].get() == m_documents->active() ? QColor(0xf2, 0x64, 0x19) : QColor(0xc5, 0xd0, 0xdb));
        p.drawRect(cells[i].adjusted(0, 0, -1, -1));
    }
}

void PageView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PageView::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        emit filesDropped(paths);
    }
}

} // namespace gp::ui
