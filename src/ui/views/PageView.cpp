#include "views/PageView.h"

#include "gfx/QtDrawingContext.h"
#include "layout/PageCells.h"
#include "layout/PageGeometryInView.h"
#include "layout/PhotoFit.h"
#include "app/App.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

namespace gp::ui {

namespace {

const QColor kDesk(0xdf, 0xe6, 0xec);
const QColor kPaperShadow(0, 0, 0, 40);
const QColor kPrintableEdge(0xc5, 0xd0, 0xdb);
const QColor kEmptyCell(0x9a, 0xa8, 0xb5);
const QColor kHoverPen(0x2f, 0x48, 0x58);

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

Rect inset(const Rect& r, int by)
{
    return { r.left + by, r.top + by, r.right - by, r.bottom - by };
}

// An outline along the inside of r.
void outline(QPainter& p, const Rect& r)
{
    if (r.width() > 0 && r.height() > 0)
        p.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

} // namespace

PageView::PageView(QWidget* parent, App& app)
    : QWidget(parent)
    , m_app(&app)
{
    setAcceptDrops(true);
    setMouseTracking(true);
}

bool PageView::freeStyle() const
{
    return m_app->layoutList().category == LayoutCategory::FreeStyle;
}

Rect PageView::paperRect() const
{
    return paperRectInView({ width(), height() }, m_app->printer().geometry());
}

Rect PageView::printableRect() const
{
    return printableRectInView(paperRect(), m_app->printer().geometry());
}

std::vector<Rect> PageView::viewCells() const
{
    std::vector<Rect> cells;
    if (freeStyle())
        return cells;
    const PageGeometry& page = m_app->printer().geometry();
    const LayoutList& list = m_app->layoutList();
    const Rect printable = printableRect();
    for (const Rect& cell : printerCells(list, list.selected, page))
        cells.push_back(printerToView(cell, printable, { page.printableWidth, page.printableHeight }));
    return cells;
}

void PageView::refresh()
{
    m_photos.clear();
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kDesk);
    const Rect paper = paperRect();
    const Rect printable = printableRect();
    p.fillRect(qrect(paper).translated(2, 2), kPaperShadow);
    p.fillRect(qrect(paper), Qt::white);
    p.setPen(QPen(kPrintableEdge, 1, Qt::DashLine));
    outline(p, printable);

    const LayoutPage& page = m_app->layoutPage();
    gfx::QtDrawingContext context(p);
    auto drawPhoto = [&](const PhotoHandle& photo, const Rect& target) {
        // One pixel beyond the fitted size on every side, so neighbouring photos meet cleanly.
        const Rect drawn = inset(target, -1);
        p.drawImage(qrect(drawn).topLeft(), m_photos.picture(photo, qrect(drawn).size()));
    };

    if (freeStyle()) {
        for (const PhotoObject& object : page.photoObjects())
            if (object.slot >= 0 && object.slot < LayoutPage::kSlots)
                if (const PhotoHandle& photo = page.photo(object.slot))
                    drawPhoto(photo, object.rect);
        page.freeStyleTexts().draw(context, printable);
        m_photos.sweep();
        return;
    }

    const std::vector<Rect> cells = viewCells();
    p.setClipRect(qrect(paper));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect box = inset(photoBox(cells[i], page.percent()), 2);
        const PhotoHandle& photo = page.photo(int(i));
        if (photo) {
            drawPhoto(photo, fitPhoto(box, { photo->width(), photo->height() }));
        } else {
            p.setPen(QPen(kEmptyCell, 1));
            outline(p, box);
        }
        const auto& texts = page.textList(int(i));
        if (texts && texts->fits(inset(box, 2)))
            texts->draw(context, box);
    }
    const int current = page.currentCell();
    if (current < int(cells.size())) {
        // White through a difference blend inverts what lies below, so it shows on any photo.
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.setPen(QPen(Qt::white, 1));
        outline(p, cells[std::size_t(current)]);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (m_hovered >= 0 && m_hovered != current && m_hovered < int(cells.size())) {
        p.setPen(QPen(kHoverPen, 1, Qt::DotLine));
        outline(p, inset(photoBox(cells[std::size_t(m_hovered)], page.percent()), 2));
    }
    m_photos.sweep();
}

int PageView::cellAtPoint(QPoint point) const
{
    return cellAt(viewCells(), { point.x(), point.y() });
}

bool PageView::cellHoldsSomething(int cell) const
{
    const LayoutPage& page = m_app->layoutPage();
    return cell >= 0 && (page.photo(cell) || page.textList(cell));
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    const int cell = cellAtPoint(event->position().toPoint());
    if (cell != m_hovered) {
        m_hovered = cell;
        update();
    }
    const bool overCurrent = cell >= 0 && cell == m_app->layoutPage().currentCell() && cellHoldsSomething(cell);
    setCursor(m_dragSource >= 0 ? Qt::ClosedHandCursor : overCurrent ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int cell = cellAtPoint(event->position().toPoint());
    m_dragSource = cellHoldsSomething(cell) ? cell : -1;
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int source = std::exchange(m_dragSource, -1);
    setCursor(Qt::ArrowCursor);
    const int target = cellAtPoint(event->position().toPoint());
    if (target < 0)
        return;
    LayoutPage& page = m_app->layoutPage();
    if (source >= 0 && source != target) {
        const bool copy = event->modifiers() & Qt::ControlModifier;
        // A photo pushed out of every cell closes with its document.
        if (const PhotoHandle gone = page.dropPhoto(source, target, copy))
            if (Document* document = m_app->documents().findByImage(gone.get()))
                m_app->documents().close(*document);
    } else {
        page.setCurrentCell(target);
    }
    update();
    emit pageChanged();
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !freeStyle())
        emit photosWanted();
}

void PageView::leaveEvent(QEvent*)
{
    if (m_hovered >= 0) {
        m_hovered = -1;
        update();
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
