#include "views/TemplateEditorView.h"

#include "layout/TemplateEditor.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace gp::ui {

namespace {

constexpr int kMargin = 8;
const QColor kDesk(0xdf, 0xe6, 0xec);
const QColor kCellEdge(0x2f, 0x48, 0x58);
const QColor kCellNumber(0x9a, 0xa8, 0xb5);
const QColor kMergeEdge(0xe0, 0x6c, 0x10);

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

TemplateEditorView::TemplateEditorView(QWidget* parent, TemplateEditor& editor, Host& host)
    : QWidget(parent)
    , m_editor(&editor)
    , m_host(&host)
{
    setMouseTracking(true);
}

Size TemplateEditorView::pageArea() const
{
    return { std::max(width() - 2 * kMargin, 1), std::max(height() - 2 * kMargin, 1) };
}

QPoint TemplateEditorView::pageOffset() const
{
    const Rect& page = m_editor->page();
    return { (width() - page.width()) / 2, (height() - page.height()) / 2 };
}

Point TemplateEditorView::toEditor(QPoint widgetPoint) const
{
    const QPoint p = widgetPoint - pageOffset();
    return { p.x(), p.y() };
}

void TemplateEditorView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kDesk);
    p.translate(pageOffset());
    p.fillRect(qrect(m_editor->page()), Qt::white);
    const auto& cells = m_editor->cells();
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const QRect cell = qrect(cells[i]);
        p.setPen(kCellNumber);
        p.drawText(cell, Qt::AlignCenter, QString::number(i + 1));
        p.setPen(QPen(kCellEdge, 1));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    if (m_mergeEdge) {
        p.fillRect(qrect(*m_mergeEdge).adjusted(-1, -1, 1, 1), kMergeEdge);
    }
    if (m_edgeDrag) {
        // The line inverts what lies below, as a drag line should on any background.
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.setPen(QPen(Qt::white, 1));
        const Rect& page = m_editor->page();
        if (m_edgeVertical)
            p.drawLine(m_edgeAt, page.top, m_edgeAt, page.bottom - 1);
        else
            p.drawLine(page.left, m_edgeAt, page.right - 1, m_edgeAt);
    }
}

void TemplateEditorView::report(int outcome)
{
    switch (EditOutcome(outcome)) {
    case EditOutcome::Done:
        update();
        emit changed();
        return;
    case EditOutcome::Refused: m_host->beep(); return;
    case EditOutcome::TooManyCells:
        m_host->message(text(StringId::CaptionWarning), text(StringId::TooManyCells), Icon::Warning);
        return;
    }
}

void TemplateEditorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Point p = toEditor(event->position().toPoint());
    switch (m_editor->tool()) {
    case EditorTool::SplitVertical: report(int(m_editor->splitVertical(p))); return;
    case EditorTool::SplitHorizontal: report(int(m_editor->splitHorizontal(p))); return;
    case EditorTool::GridSplit: report(int(m_editor->gridSplit(p))); return;
    case EditorTool::MoveEdge:
        if (const auto edge = m_editor->edgeAt(p)) {
            m_edgeDrag = true;
            m_edgeVertical = edge->vertical;
            m_edgeFrom = m_edgeAt = edge->position;
            m_edgeLowest = edge->lowest;
            m_edgeHighest = edge->highest;
            update();
        } else {
            m_host->beep();
        }
        return;
    case EditorTool::Merge:
        if (const auto pair = m_editor->mergePairAt(p)) {
            m_mergeEdge = pair->commonEdge;
            m_mergePress = p;
            update();
        } else {
            m_host->beep();
        }
        return;
    }
}

void TemplateEditorView::mouseMoveEvent(QMouseEvent* event)
{
    const Point p = toEditor(event->position().toPoint());
    if (m_edgeDrag) {
        m_edgeAt = std::clamp(m_edgeVertical ? p.x : p.y, m_edgeLowest, m_edgeHighest);
        update();
        return;
    }
    updateCursor(p);
}

void TemplateEditorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Point p = toEditor(event->position().toPoint());
    if (m_edgeDrag) {
        m_edgeDrag = false;
        report(int(m_editor->moveEdge({ m_edgeVertical, m_edgeFrom, m_edgeLowest, m_edgeHighest }, m_edgeAt)));
        update();
        return;
    }
    if (m_mergeEdge) {
        // The release must still lie on the same two cells' common edge.
        const auto pressed = m_editor->mergePairAt(m_mergePress);
        const auto released = m_editor->mergePairAt(p);
        m_mergeEdge.reset();
        if (pressed && released && pressed->first == released->first && pressed->second == released->second)
            report(int(m_editor->merge(m_mergePress)));
        else
            update();
    }
}

void TemplateEditorView::updateCursor(Point p)
{
    switch (m_editor->tool()) {
    case EditorTool::SplitVertical: setCursor(Qt::SplitHCursor); return;
    case EditorTool::SplitHorizontal: setCursor(Qt::SplitVCursor); return;
    case EditorTool::GridSplit: setCursor(Qt::CrossCursor); return;
    case EditorTool::MoveEdge:
        if (const auto edge = m_editor->edgeAt(p))
            setCursor(edge->vertical ? Qt::SizeHorCursor : Qt::SizeVerCursor);
        else
            setCursor(Qt::ArrowCursor);
        return;
    case EditorTool::Merge: setCursor(m_editor->mergePairAt(p) ? Qt::PointingHandCursor : Qt::ForbiddenCursor); return;
    }
}

} // namespace gp::ui
