#include "views/LayoutListView.h"

#include "layout/PageCells.h"
#include "layout/PageGeometryInView.h"
#include "app/App.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace gp::ui {

namespace {

const QColor kSelectedBand(0xf2, 0x64, 0x19);
const QColor kCellFill(0xe4, 0xec, 0xf3);
const QColor kCellEdge(0x5a, 0x6e, 0x80);
const QColor kCaptionFill(192, 192, 64);
constexpr int kCaptionHeight = 15;

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

LayoutListView::LayoutListView(QWidget* parent, App& app)
    : QWidget(parent)
    , m_app(&app)
{
}

void LayoutListView::reload()
{
    const LayoutList& list = m_app->layoutList();
    m_firstRow = std::clamp(list.selected / kPerRow, 0, std::max(list.displayRows - 1, 0));
    update();
}

bool LayoutListView::scrollRows(int delta)
{
    LayoutList& list = m_app->layoutList();
    const int row = m_firstRow + delta;
    if (delta == 0 || row < 0 || row >= list.displayRows)
        return false;
    m_firstRow = row;
    list.selected = std::min(row * kPerRow + list.selected % kPerRow, list.entries - 1);
    list.selectedRow = list.selected / kPerRow;
    update();
    emit layoutChosen(list.selected);
    return true;
}

QRect LayoutListView::band(int index) const
{
    const int top = height() * index / kPerRow, bottom = height() * (index + 1) / kPerRow;
    return QRect(0, top, width(), bottom - top);
}

int LayoutListView::entryAt(QPoint point) const
{
    if (!rect().contains(point))
        return -1;
    const int bandIndex = std::min(point.y() * kPerRow / std::max(height(), 1), kPerRow - 1);
    const int entry = bandIndex + m_firstRow * kPerRow;
    return entry < m_app->layoutList().entries ? entry : -1;
}

Rect LayoutListView::miniaturePaper(int index) const
{
    const QRect area = band(index);
    const Rect paper = paperRectInView({ area.width(), area.height() }, m_app->printer().geometry());
    return { paper.left + area.left(), paper.top + area.top(), paper.right + area.left(), paper.bottom + area.top() };
}

QString LayoutListView::caption(int entry) const
{
    const LayoutList& list = m_app->layoutList();
    if (list.usesSheets() && !list.oneSize && std::size_t(entry) < list.sheets.size()) {
        const std::string& name = list.sheets[std::size_t(entry)].name;
        if (!name.empty() && name[0] >= '0' && name[0] <= '9')
            return QString::fromStdString(name.substr(0, name.find(','))); // npos keeps the whole name
    }
    if (list.category == LayoutCategory::MyTemplates)
        return QStringLiteral(" %1 ").arg(entry + 1);
    return {};
}

void LayoutListView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const LayoutList& list = m_app->layoutList();
    const PageGeometry& page = m_app->printer().geometry();
    for (int index = 0; index < kPerRow; ++index) {
        const int entry = index + m_firstRow * kPerRow;
        if (entry >= list.entries)
            break;
        if (entry == list.selected)
            p.fillRect(band(index).adjusted(1, 1, -1, -1), kSelectedBand);
        const Rect paper = miniaturePaper(index);
        p.fillRect(qrect(paper), Qt::white);
        const Rect printable = printableRectInView(paper, page);
        p.setPen(QPen(kCellEdge, 1));
        p.setBrush(kCellFill);
        for (const Rect& cell : printerCells(list, entry, page)) {
            const Rect r = printerToView(cell, printable, { page.printableWidth, page.printableHeight });
            p.drawRect(QRect(r.left, r.top, std::max(r.width() - 1, 0), std::max(r.height() - 1, 0)));
        }
        p.setBrush(Qt::NoBrush);
        const QString text = caption(entry);
        if (text.isEmpty())
            continue;
        // A small plate centred on the miniature's bottom edge, ending a pixel above it.
        const int plateWidth = list.category == LayoutCategory::MyTemplates ? 36 : 40;
        const QRect plate(paper.left + (paper.width() - plateWidth) / 2, paper.bottom - 1 - kCaptionHeight, plateWidth,
            kCaptionHeight);
        p.fillRect(plate, kCaptionFill);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(15);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(plate, Qt::AlignCenter | Qt::TextDontClip, text);
    }
}

void LayoutListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int entry = entryAt(event->position().toPoint());
    if (entry < 0)
        return;
    LayoutList& list = m_app->layoutList();
    list.selected = entry;
    list.selectedRow = entry / kPerRow;
    update();
    emit layoutChosen(entry);
}

void LayoutListView::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        scrollRows(steps > 0 ? -1 : 1);
    event->accept();
}

} // namespace gp::ui
