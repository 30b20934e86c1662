#include "views/PageView.h"
#include "dialogs/HelpTopics.h"

#include "gfx/QtDrawingContext.h"
#include "layout/CellReadout.h"
#include "layout/FreeStyleEditing.h"
#include "layout/PageCells.h"
#include "layout/PageGeometryInView.h"
#include "layout/PageMenus.h"
#include "layout/PhotoFit.h"
#include "app/App.h"
#include "shell/StringTable.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

namespace gp::ui {

namespace {

const QColor kDesk(0xdf, 0xe6, 0xec);
const QColor kPaperShadow(0, 0, 0, 40);
const QColor kPrintableEdge(0xc5, 0xd0, 0xdb);
const QColor kEmptyCell(0x9a, 0xa8, 0xb5);
const QColor kHoverPen(0x2f, 0x48, 0x58);
const QColor kGridLine(0x9a, 0xb8, 0xd0, 110);
const QColor kHandleFill(0x2f, 0x48, 0x58);
const QColor kBadge(0xe0, 0x6c, 0x10);
constexpr int kBadgeSize = 14;
constexpr int kCellHelpTopic = help::kCellTopic;
constexpr int kObjectHelpTopic = help::kObjectTopic;

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

Rect inset(const Rect& r, int by)
{
    return { r.left + by, r.top + by, r.right - by, r.bottom - by };
}

Point toPoint(QPoint p)
{
    return { p.x(), p.y() };
}

// An outline along the inside of r.
void outline(QPainter& p, const Rect& r)
{
    if (r.width() > 0 && r.height() > 0)
        p.drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
}

// The cursor over a handle: the diagonal ones at the corners, across or down at the edges.
Qt::CursorShape handleCursor(Handle handle)
{
    switch (handle) {
    case Handle::TopLeft:
    case Handle::BottomRight: return Qt::SizeFDiagCursor;
    case Handle::TopRight:
    case Handle::BottomLeft: return Qt::SizeBDiagCursor;
    case Handle::Top:
    case Handle::Bottom: return Qt::SizeVerCursor;
    case Handle::Left:
    case Handle::Right: break;
    }
    return Qt::SizeHorCursor;
}

} // namespace

PageView::PageView(QWidget* parent, App& app)
    : QWidget(parent)
    , m_app(&app)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    // A click gives the view the keyboard, so Escape reaches an object drag.
    setFocusPolicy(Qt::ClickFocus);
}

bool PageView::freeStyle() const
{
    return m_app->layoutList().category == LayoutCategory::FreeStyle;
}

bool PageView::inactive() const
{
    const LayoutList& list = m_app->layoutList();
    return list.category == LayoutCategory::MyTemplates && list.entries == 0;
}

Rect PageView::paperRect() const
{
    return paperRectInView({ width(), height() }, m_app->printer().geometry());
}

Rect PageView::printableRect() const
{
    return printableRectInView(paperRect(), m_app->printer().geometry());
}

ViewPage PageView::viewPage() const
{
    return { printableRect(), m_app->printer().geometry() };
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

std::vector<int> PageView::lowResolutionCells() const
{
    std::vector<int> low;
    if (freeStyle())
        return low;
    const PageGeometry& page = m_app->printer().geometry();
    const LayoutList& list = m_app->layoutList();
    const LayoutPage& layoutPage = m_app->layoutPage();
    const int threshold = readLowResolutionDpi(m_app->settingsFile());
    const std::vector<Rect> cells = printerCells(list, list.selected, page);
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (const PhotoHandle& photo = layoutPage.photo(int(i)))
            if (const auto print
                = cellPrint(cells[i], layoutPage.percent(), { photo->width(), photo->height() }, page, threshold);
                print && print->low)
                low.push_back(int(i));
    return low;
}

void PageView::setGridShown(bool shown)
{
    m_gridShown = shown;
    update();
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
    p.fillRect(qrect(paper).translated(2, 2), kPaperShadow);
    p.fillRect(qrect(paper), Qt::white);
    p.setPen(QPen(kPrintableEdge, 1, Qt::DashLine));
    outline(p, printableRect());
    if (freeStyle())
        paintFreeStyle(p);
    else
        paintCells(p);
    m_photos.sweep();
}

void PageView::paintCells(QPainter& p)
{
    const LayoutPage& page = m_app->layoutPage();
    gfx::QtDrawingContext context(p);
    const std::vector<Rect> cells = viewCells();
    p.setClipRect(qrect(paperRect()));
    const std::vector<int> low = lowResolutionCells();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect box = inset(photoBox(cells[i], page.percent()), 2);
        const PhotoHandle& photo = page.photo(int(i));
        if (photo) {
            const Rect fitted = fitPhoto(box, { photo->width(), photo->height() });
            // One pixel beyond the fitted size on every side, so neighbouring photos meet cleanly.
            const Rect drawn = inset(fitted, -1);
            p.drawImage(qrect(drawn).topLeft(), m_photos.picture(photo, qrect(drawn).size(), devicePixelRatioF()));
            if (std::find(low.begin(), low.end(), int(i)) != low.end()) {
                // The badge sits in the photo's top-right corner; the printer never sees it.
                const QRect badge(fitted.right - kBadgeSize - 2, fitted.top + 2, kBadgeSize, kBadgeSize);
                p.setPen(Qt::NoPen);
                p.setBrush(kBadge);
                p.drawEllipse(badge);
                p.setPen(Qt::white);
                QFont font = p.font();
                font.setBold(true);
                font.setPixelSize(kBadgeSize - 3);
                p.setFont(font);
                p.drawText(badge, Qt::AlignCenter, QStringLiteral("!"));
                p.setBrush(Qt::NoBrush);
            }
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
}

void PageView::paintFreeStyle(QPainter& p)
{
    const LayoutPage& page = m_app->layoutPage();
    const Rect printable = printableRect();
    gfx::QtDrawingContext context(p);
    for (const PhotoObject& object : page.photoObjects())
        if (object.slot >= 0 && object.slot < LayoutPage::kSlots)
            if (const PhotoHandle& photo = page.photo(object.slot)) {
                const Rect drawn = inset(object.rect, -1);
                p.drawImage(qrect(drawn).topLeft(), m_photos.picture(photo, qrect(drawn).size(), devicePixelRatioF()));
            }
    page.freeStyleTexts().draw(context, printable);
    if (m_gridShown)
        paintGrid(p);
    const std::optional<Rect> selected
        = m_objectDrag ? std::optional<Rect>(m_dragRect) : selectedObjectRect(page, printable);
    if (!selected)
        return;
    if (m_objectDrag) {
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        outline(p, *selected);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    for (const Rect& handle : objectHandles(*selected, printable))
        if (!handle.isEmpty())
            p.fillRect(qrect(handle), kHandleFill);
}

void PageView::paintGrid(QPainter& p)
{
    const ViewPage view = viewPage();
    const bool metric = readSizeUnit(m_app->settingsFile()) == SizeUnit::Centimetre;
    const double stepX = view.pixelsPerInchX() / (metric ? 2.54 : 1.0);
    const double stepY = view.pixelsPerInchY() / (metric ? 2.54 : 1.0);
    if (stepX < 4 || stepY < 4)
        return;
    const Rect& r = view.printable;
    p.setPen(QPen(kGridLine, 1));
    for (double x = r.left + stepX; x < r.right; x += stepX)
        p.drawLine(QPointF(x, r.top), QPointF(x, r.bottom - 1));
    for (double y = r.top + stepY; y < r.bottom; y += stepY)
        p.drawLine(QPointF(r.left, y), QPointF(r.right - 1, y));
}

int PageView::cellAtPoint(QPoint point) const
{
    return cellAt(viewCells(), toPoint(point));
}

bool PageView::cellHoldsSomething(int cell) const
{
    const LayoutPage& page = m_app->layoutPage();
    return cell >= 0 && (page.photo(cell) || page.textList(cell));
}

void PageView::showCellReadout(int cell)
{
    const LayoutList& list = m_app->layoutList();
    const PageGeometry& geometry = m_app->printer().geometry();
    const std::vector<Rect> cells = printerCells(list, list.selected, geometry);
    if (cell < 0)
        cell = m_app->layoutPage().currentCell();
    if (cell < 0 || cell >= int(cells.size()))
        return;
    const PhotoHandle& photo = m_app->layoutPage().photo(cell);
    m_app->host().setStatus(StatusPane::Message,
        cellSizeReadout(list, cells[std::size_t(cell)], geometry, photo.get(), m_app->layoutPage().percent(),
            readLowResolutionDpi(m_app->settingsFile())));
}

void PageView::showObjectReadout(const std::optional<Rect>& rect)
{
    if (!rect)
        return;
    const bool textObject = m_app->layoutPage().freeStyle().lastSelected == ObjectKind::Text;
    m_app->host().setStatus(StatusPane::Message,
        sizeReadout(text(textObject ? StringId::TextSizeLabel : StringId::PhotoSizeLabel), *rect, viewPage(),
            readSizeUnit(m_app->settingsFile())));
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    if (inactive())
        return;
    const QPoint point = event->position().toPoint();
    if (freeStyle()) {
        const Rect printable = printableRect();
        if (m_objectDrag) {
            const auto handle = m_dragHandle < 0 ? std::nullopt : std::optional<Handle>(Handle(m_dragHandle));
            m_dragRect = dragObject(m_dragStartRect, handle, m_dragFrom, toPoint(point), printable);
            showObjectReadout(m_dragRect);
            update();
            return;
        }
        const auto selected = selectedObjectRect(m_app->layoutPage(), printable);
        const auto handle = selected ? handleAt(*selected, printable, toPoint(point)) : std::nullopt;
        setCursor(handle                                         ? handleCursor(*handle)
                : selected && selected->contains(toPoint(point)) ? Qt::SizeAllCursor
                                                                 : Qt::ArrowCursor);
        return;
    }
    const int cell = cellAtPoint(point);
    if (cell != m_hovered) {
        m_hovered = cell;
        showCellReadout(cell);
        update();
    }
    const bool overCurrent = cell >= 0 && cell == m_app->layoutPage().currentCell() && cellHoldsSomething(cell);
    setCursor(m_dragSource >= 0 ? Qt::ClosedHandCursor : overCurrent ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || inactive())
        return;
    const Point point = toPoint(event->position().toPoint());
    if (freeStyle()) {
        LayoutPage& page = m_app->layoutPage();
        const Rect printable = printableRect();
        // A handle of the selected object resizes it; anything else selects what lies there.
        const auto selected = selectedObjectRect(page, printable);
        const auto handle = selected ? handleAt(*selected, printable, point) : std::nullopt;
        m_dragHandle = handle ? int(*handle) : -1;
        if (!handle && selectObjectAt(page, point, printable) == ObjectKind::None) {
            update();
            return;
        }
        m_objectDrag = true;
        m_dragFrom = point;
        m_dragStartRect = m_dragRect = *selectedObjectRect(page, printable);
        showObjectReadout(m_dragRect);
        update();
        return;
    }
    const int cell = cellAt(viewCells(), point);
    m_dragSource = cellHoldsSomething(cell) ? cell : -1;
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (freeStyle()) {
        if (!m_objectDrag)
            return;
        m_objectDrag = false;
        LayoutPage& page = m_app->layoutPage();
        const Rect printable = printableRect();
        setSelectedObjectRect(page, m_dragRect, printable);
        showObjectReadout(selectedObjectRect(page, printable));
        update();
        emit pageChanged();
        return;
    }
    const int source = std::exchange(m_dragSource, -1);
    setCursor(Qt::ArrowCursor);
    const int target = cellAtPoint(event->position().toPoint());
    if (target < 0 || inactive())
        return;
    LayoutPage& page = m_app->layoutPage();
    if (source >= 0 && source != target) {
        const bool copy = event->modifiers() & Qt::ControlModifier;
        // A photo pushed out of every cell closes with its document.
        closeDropped(page.dropPhoto(source, target, copy));
    } else {
        page.setCurrentCell(target);
    }
    update();
    emit pageChanged();
}

void PageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !freeStyle() && !inactive())
        emit photosWanted();
}

bool PageView::event(QEvent* event)
{
    // Escape during an object drag belongs to the drag, not to the frame's Cancel key.
    if (event->type() == QEvent::ShortcutOverride && m_objectDrag
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_objectDrag) {
        cancelObjectDrag();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PageView::cancelObjectDrag()
{
    // The object keeps the rectangle it had before the press.
    m_objectDrag = false;
    showObjectReadout(m_dragStartRect);
    update();
}

void PageView::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* menu = contextMenuAt(event->pos())) {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }
}

QMenu* PageView::contextMenuAt(QPoint point)
{
    if (inactive() || m_objectDrag || m_dragSource >= 0)
        return nullptr;
    if (freeStyle())
        return objectMenu(point);
    const int cell = cellAtPoint(point);
    return cell >= 0 ? cellMenu(cell) : nullptr;
}

void PageView::closeDropped(const std::shared_ptr<Image>& photo)
{
    if (photo)
        if (Document* document = m_app->documents().findByImage(photo.get()))
            m_app->documents().close(*document);
}

QMenu* PageView::cellMenu(int cell)
{
    LayoutPage& page = m_app->layoutPage();
    const CellMenuItems items = cellMenuItems(page, cell, int(viewCells().size()));
    auto* menu = new QMenu(this);
    // Each item acts on the cell where the menu was opened, whatever the mouse does meanwhile.
    auto add = [this, menu](StringId label, bool enabled, std::function<void()> action) {
        QAction* item = menu->addAction(qtext(label));
        item->setEnabled(enabled);
        // Queued: the action may pump events (a long photo turn does), which must not happen
        // while the menu is still closing.
        connect(
            item, &QAction::triggered, this,
            [this, action] {
                action();
                refresh();
                emit pageChanged();
            },
            Qt::QueuedConnection);
    };
    add(StringId::MenuRotatePhoto, items.rotatePhoto && rotatePhoto, [this, cell] { rotatePhoto(cell); });
    add(StringId::MenuCellDelete, items.remove, [this, page = &page, cell] { closeDropped(page->deleteCell(cell)); });
    add(StringId::MenuCellCut, items.cut, [this, page = &page, cell] { closeDropped(page->cutCell(cell)); });
    add(StringId::MenuCellCopy, items.copy, [this, page = &page, cell] { closeDropped(page->copyCell(cell)); });
    add(StringId::MenuCopyToEmptyCells, items.copyToEmptyCells, [page = &page, cell] { page->copyToEmptyCells(cell); });
    add(StringId::MenuCellPaste, items.paste, [this, page = &page, cell] { closeDropped(page->pasteCell(cell)); });
    menu->addSeparator();
    add(StringId::MenuCellHelp, bool(showHelp), [this] { showHelp(kCellHelpTopic); });
    return menu;
}

QMenu* PageView::objectMenu(QPoint point)
{
    LayoutPage& page = m_app->layoutPage();
    const Rect printable = printableRect();
    const Point at = toPoint(point);
    selectObjectAt(page, at, printable);
    update();
    const ObjectMenuItems items = objectMenuItems(page);
    auto* menu = new QMenu(this);
    auto add = [this](QMenu* into, const QString& label, bool enabled, std::function<void()> action) {
        QAction* item = into->addAction(label);
        item->setEnabled(enabled);
        connect(
            item, &QAction::triggered, this,
            [this, action] {
                action();
                refresh();
                showObjectReadout(selectedObjectRect(m_app->layoutPage(), printableRect()));
                emit pageChanged();
            },
            Qt::QueuedConnection);
    };
    QMenu* adjust = menu->addMenu(qtext(StringId::MenuAdjustSize));
    adjust->setEnabled(items.adjustSize);
    const std::pair<StringId, SizePreset> presets[]
        = { { StringId::AdjustDefaultSize, SizePreset::Default }, { StringId::AdjustPocketSize, SizePreset::Pocket },
              { StringId::AdjustSmallSize, SizePreset::Small }, { StringId::AdjustMediumSize, SizePreset::Medium },
              { StringId::AdjustLargeSize, SizePreset::Large }, { StringId::Adjust100Dpi, SizePreset::Dpi100 },
              { StringId::Adjust150Dpi, SizePreset::Dpi150 }, { StringId::Adjust200Dpi, SizePreset::Dpi200 },
              { StringId::Adjust250Dpi, SizePreset::Dpi250 }, { StringId::Adjust300Dpi, SizePreset::Dpi300 } };
    const int selected = page.freeStyle().selectedPhoto;
    for (const auto& [label, preset] : presets)
        add(adjust, qtext(label), items.adjustSize, [this, page = &page, selected, preset = preset] {
            PhotoObject& object = page->photoObjects()[std::size_t(selected)];
            if (const PhotoHandle& photo = page->photo(object.slot))
                object.rect = gp::adjustSize(
                    object.rect, { photo->width(), photo->height() }, photo->xPelsPerMeter(), preset, viewPage());
        });
    add(menu, qtext(StringId::MenuRotatePhoto), items.rotatePhoto && rotatePhoto, [this, page = &page, selected] {
        PhotoObject& object = page->photoObjects()[std::size_t(selected)];
        // Nothing happens when the turned rectangle cannot fit the printable area.
        const auto turned = rotatedObjectRect(object.rect, printableRect());
        if (turned && rotatePhoto(object.slot))
            page->photoObjects()[std::size_t(selected)].rect = *turned;
    });
    add(menu, qtext(StringId::MenuCellCut), items.cut,
        [this, page = &page] { closeDropped(cutSelectedObject(*page)); });
    add(menu, qtext(StringId::MenuCellCopy), items.copy,
        [this, page = &page] { closeDropped(copySelectedObject(*page)); });
    add(menu, qtext(StringId::MenuCellDelete), items.remove,
        [this, page = &page] { closeDropped(deleteSelectedObject(*page)); });
    add(menu, qtext(StringId::MenuCellPaste), items.paste, [this, page = &page, at] {
        if (!pasteObject(*page, at, printableRect()))
            m_app->host().beep();
    });
    menu->addSeparator();
    add(menu, qtext(StringId::MenuCellHelp), bool(showHelp), [this] { showHelp(kObjectHelpTopic); });
    return menu;
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
