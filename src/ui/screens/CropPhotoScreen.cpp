#include "screens/CropPhotoScreen.h"

#include "layout/LayoutCategory.h"
#include "screens/WorkflowCanvas.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/ButtonIds.h"

#include <QPainter>

namespace gp::ui {

namespace {

constexpr int kOutlineMilliseconds = 300;

// The name and picture size of the page's current cell; "FREE" on the free-style page or when
// the layout has no cells.
struct CellShape {
    std::string name;
    int width = 0;
    int height = 0;
};

CellShape currentCellShape(App& app)
{
    const LayoutList& list = app.layoutList();
    const int cell = app.layoutPage().currentCell();
    if (list.category == LayoutCategory::FreeStyle || list.selected < 0)
        return { "FREE", 0, 0 };
    if (list.usesSheets()) {
        if (std::size_t(list.selected) >= list.sheets.size())
            return { "FREE", 0, 0 };
        const SheetLayout& sheet = list.sheets[std::size_t(list.selected)];
        return { sheet.name, sheet.cellWidth, sheet.cellHeight };
    }
    if (std::size_t(list.selected) >= list.templates.size() || list.templates[std::size_t(list.selected)].cells.empty())
        return { "FREE", 0, 0 };
    const CellTemplate& layout = list.templates[std::size_t(list.selected)];
    const Rect& r = layout.cells[std::size_t(cell) % layout.cells.size()];
    return { layout.name, r.width(), r.height() };
}

Qt::CursorShape cursorShape(CropCursor cursor)
{
    switch (cursor) {
    case CropCursor::ResizeNwSe:
        return Qt::SizeFDiagCursor;
    case CropCursor::ResizeNeSw:
        return Qt::SizeBDiagCursor;
    case CropCursor::ResizeHorizontal:
        return Qt::SizeHorCursor;
    case CropCursor::ResizeVertical:
        return Qt::SizeVerCursor;
    case CropCursor::OpenHand:
        return Qt::OpenHandCursor;
    case CropCursor::ClosedHand:
        return Qt::ClosedHandCursor;
    case CropCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

CropPhotoScreen::CropPhotoScreen(ScreenContext context)
    : WorkflowScreen(std::move(context), Screen::Crop, button::CropArea)
{
    canvas().setObjectName("cropCanvas");
    m_outline.setInterval(kOutlineMilliseconds);
    QObject::connect(&m_outline, &QTimer::timeout, &canvas(), [this] {
        if (workflow().crop.rect().width() <= 0)
            return;
        m_phase = (m_phase + 1) % 4;
        canvas().update();
    });
    canvas().drawOver = [this](QPainter& painter) { drawOutline(painter); };
    canvas().pressed = [this](Point p) { press(p); };
    canvas().moved = [this](Point p, bool down) { move(p, down); };
    canvas().released = [this](Point) {
        m_dragging = CropHandle::None;
        canvas().unsetCursor();
    };
}

void CropPhotoScreen::bindButtons()
{
    bindOkCancel(button::CropOk, button::CropCancel);
    onButton(button::FitCell, [this] { choose(Shape::Cell); });
    onButton(button::Portrait, [this] { choose(Shape::Upright); });
    onButton(button::Landscape, [this] { choose(Shape::Sideways); });
    onButton(button::AnyShape, [this] { choose(Shape::Free); });
    onButton(button::CropSaveAs, [this] {
        if (workflow().hasPhoto())
            saveResult(cropPhoto(workflow().photo(), workflow().crop, app().allocator()), StringId::UntitledCropped);
    });
}

void CropPhotoScreen::registerCommands()
{
    onKey(command::KeySaveAs, [this] {
        if (!workflow().hasPhoto())
            return 0;
        saveResult(cropPhoto(workflow().photo(), workflow().crop, app().allocator()), StringId::UntitledCropped);
        return 1;
    });
}

void CropPhotoScreen::enter()
{
    m_phase = 0;
    m_dragging = CropHandle::None;
    if (!startWorkflow())
        return;
    keepPhotoInStrip();
    choose(Shape::Cell);
    m_outline.start();
}

void CropPhotoScreen::stripClicked(const std::string& path)
{
    if (!loadPhoto(path))
        return;
    m_dragging = CropHandle::None;
    choose(m_shape);
    m_outline.start();
}

void CropPhotoScreen::rescaled()
{
    // A drag in progress counted the old pixels; the next press starts anew.
    m_dragging = CropHandle::None;
    repaintView();
}

void CropPhotoScreen::accept()
{
    m_outline.stop();
    if (workflow().hasPhoto())
        openResult(cropPhoto(workflow().photo(), workflow().crop, app().allocator()), StringId::UntitledCropped);
    closeWorkflow();
}

void CropPhotoScreen::cancel()
{
    m_outline.stop();
    closeWorkflow();
}

void CropPhotoScreen::choose(Shape shape)
{
    if (!workflow().hasPhoto()) {
        app().host().beep();
        return;
    }
    m_shape = shape;
    CellShape cell = currentCellShape(app());
    if (shape == Shape::Free)
        cell = { "FREE", 0, 0 };
    else if (shape == Shape::Upright && cell.width > cell.height)
        std::swap(cell.width, cell.height);
    else if (shape == Shape::Sideways && cell.height > cell.width)
        std::swap(cell.width, cell.height);
    workflow().crop.setProportion(cell.name, cell.width, cell.height);
    repaintView();
}

void CropPhotoScreen::repaintView()
{
    if (!workflow().hasPhoto())
        return;
    // The view is built from the display copy: the crop rectangle in its own pixels.
    const Rect shown = workflow().displayRect();
    Rect crop = workflow().crop.rect();
    crop = { crop.left - shown.left, crop.top - shown.top, crop.right - shown.left, crop.bottom - shown.top };
    if (auto view = lightenOutside(workflow().displayCopy(), crop, app().allocator()))
        show(*view, shown);
}

void CropPhotoScreen::drawOutline(QPainter& painter) const
{
    if (workflow().crop.rect().width() <= 0)
        return;
    // Drawn in the canvas's own units, so the dots and handles keep their size on a dense screen
    // and the painter draws them with its pixels; the rectangle's corners lie on whole units.
    const QRectF r = canvas().fromDisplay(workflow().crop.rect());
    // Inverting the screen under the dots keeps them visible on any picture.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    QPen pen(Qt::white, 1, Qt::CustomDashLine);
    pen.setDashPattern({ 2, 2 });
    // Each line starts the phase's number of pixels after its corner, so the dots march.
    pen.setDashOffset(-m_phase);
    painter.setPen(pen);
    // A line one unit wide is centred on its coordinate: on a dense screen it would lie half on
    // the pixel row before, so it is moved half a unit to cover the row an ordinary screen's
    // one-pixel line covers.
    const QRectF line = canvas().density() > 1 ? r.translated(0.5, 0.5) : r;
    painter.drawLine(line.topLeft(), QPointF(line.right(), line.top()));
    painter.drawLine(QPointF(line.right(), line.top()), line.bottomRight());
    painter.drawLine(line.bottomRight(), QPointF(line.left(), line.bottom()));
    painter.drawLine(QPointF(line.left(), line.bottom()), line.topLeft());
    const QColor darkGray(64, 64, 64);
    for (const QPointF corner : { r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight() })
        painter.fillRect(QRectF(corner - QPointF(4, 4), QSizeF(8, 8)), darkGray);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CropPhotoScreen::press(Point p)
{
    if (!workflow().hasPhoto())
        return;
    m_dragging = workflow().crop.hitTest(p);
    m_last = p;
    canvas().setCursor(cursorShape(CropRectangle::cursorFor(m_dragging, true)));
}

void CropPhotoScreen::move(Point p, bool buttonDown)
{
    if (!workflow().hasPhoto())
        return;
    if (!buttonDown || m_dragging == CropHandle::None) {
        canvas().setCursor(cursorShape(CropRectangle::cursorFor(workflow().crop.hitTest(p), false)));
        return;
    }
    // The rectangle moves in whole units; what it does not take waits for the next movement.
    const Point taken = workflow().crop.drag(m_dragging, p.x - m_last.x, p.y - m_last.y);
    m_last = { m_last.x + taken.x, m_last.y + taken.y };
    repaintView();
}

} // namespace gp::ui
