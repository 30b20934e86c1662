#include "dialogs/TemplatePreview.h"

#include "gfx/QtDrawingContext.h"
#include "layout/Calendar.h"
#include "layout/PhotoFit.h"
#include "shell/StringTable.h"

#include <QMouseEvent>
#include <QPainter>

namespace gp::ui {

namespace {

constexpr Color kHintGrey { 192, 192, 192 };
// Texts sit 2 pixels inside their windows, which are 4 pixels larger than the text.
constexpr int kTextInset = 2;

bool inside(const Rect& r, QPoint p)
{
    return r.contains({ p.x(), p.y() });
}

} // namespace

TemplatePreview::TemplatePreview(QWidget* parent, MattePage& page)
    : QWidget(parent)
    , m_page(&page)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TemplatePreview::setPhoto(const QImage& photo)
{
    m_photo = photo;
    m_photoShown = QImage();
    update();
}

void TemplatePreview::setBackground(const QImage& background)
{
    // The preview's copy: fitted into three quarters of the preview, as the page prints it.
    m_background = QImage();
    if (!background.isNull()) {
        const Rect fitted
            = fitPhoto({ 0, 0, 3 * width() / 4, 3 * height() / 4 }, { background.width(), background.height() });
        m_background = background.scaled(
            std::max(fitted.width(), 1), std::max(fitted.height(), 1), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    update();
}

void TemplatePreview::fitTextWindows()
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    gfx::QtDrawingContext dc(painter);
    for (bool upper : { true, false }) {
        Rect& r = upper ? m_page->upperRect : m_page->lowerRect;
        const Size size = textWindowSize(dc, *m_page, upper, m_page->previewScale);
        r.right = r.left + size.width;
        r.bottom = r.top + size.height;
    }
    update();
}

Rect* TemplatePreview::rectOf(Item item)
{
    switch (item) {
    case Item::Upper: return &m_page->upperRect;
    case Item::Lower: return &m_page->lowerRect;
    case Item::Photo: return &m_page->photoRect;
    case Item::None: break;
    }
    return nullptr;
}

TemplatePreview::Item TemplatePreview::itemAt(QPoint at) const
{
    if (inside(m_page->upperRect, at))
        return Item::Upper;
    if (inside(m_page->lowerRect, at))
        return Item::Lower;
    if (inside(m_page->photoRect, at))
        return Item::Photo;
    return Item::None;
}

void TemplatePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::QtDrawingContext dc(painter);
    const int w = width(), h = height();
    const MattePage& page = *m_page;
    painter.fillRect(rect(), Qt::white);

    if (page.backgroundKind == 1) {
        dc.fillRect({ -1, -1, w + 1, h + 1 }, page.backgroundColor);
    } else if (page.backgroundKind >= 2 && !m_background.isNull()) {
        const Rect place = backgroundRect({ w, h }, { m_background.width(), m_background.height() }, page.kind);
        painter.drawImage(QPoint(place.left, place.top), m_background);
    }

    // One dotted line for every inch of the page.
    const int step = std::max(page.previewScale / 10, 2);
    const Pen grid { kHintGrey, 1, PenStyle::Dot };
    for (int x = step; x < w; x += step)
        dc.drawLine({ x, 0 }, { x, h }, grid);
    for (int y = step; y < h; y += step)
        dc.drawLine({ 0, y }, { w, y }, grid);
    if (page.backgroundKind == 0)
        dc.drawText(
            { w / 2, 10 }, text(StringId::ChangeBackgroundHint), FontSpec {}, TextAlign::Center, kHintGrey, true);

    const Rect& photo = page.photoRect;
    if (!m_photo.isNull() && !photo.isEmpty()) {
        // Scaled to the screen's device pixels and painted at the photo's window size.
        const qreal ratio = devicePixelRatioF();
        const QSize pixels(qRound(photo.width() * ratio), qRound(photo.height() * ratio));
        if (m_photoShown.size() != pixels) {
            m_photoShown = m_photo.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            m_photoShown.setDevicePixelRatio(ratio);
        }
        painter.drawImage(QPoint(photo.left, photo.top), m_photoShown);
    }
    if (page.drawFrame)
        dc.frameRect(photo, Pen { { 0, 0, 0 }, 1, PenStyle::Solid });

    auto drawText = [&](const MatteText& item, const Rect& window) {
        const Point at { window.left + kTextInset, window.top + kTextInset };
        if (item.text.empty())
            dc.drawText(at, text(StringId::EditTextHint), scaledFont(item, page.previewScale), TextAlign::Left,
                kHintGrey, true);
        else
            drawMatteText(dc, item, page.previewScale, at);
    };
    if (page.kind == MatteKind::Calendar)
        drawCalendar(dc, page.previewScale, page.year, std::max(page.month, 0),
            { page.lowerRect.left + kTextInset, page.lowerRect.top + kTextInset }, page.lower.font,
            page.lower.sizeTenths, page.lower.color);
    else
        drawText(page.lower, page.lowerRect);
    drawText(page.upper, page.upperRect);
}

void TemplatePreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragged = itemAt(event->position().toPoint());
    m_dragFrom = event->position().toPoint();
}

void TemplatePreview::mouseMoveEvent(QMouseEvent* event)
{
    Rect* r = rectOf(m_dragged);
    if (!r || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    int dx = at.x() - m_dragFrom.x(), dy = at.y() - m_dragFrom.y();
    if (m_dragged == Item::Photo) {
        // The photo is pushed back when a side would leave the preview.
        dx = std::clamp(dx, -r->left, width() - r->right);
        dy = std::clamp(dy, -r->top, height() - r->bottom);
    }
    *r = { r->left + dx, r->top + dy, r->right + dx, r->bottom + dy };
    m_dragFrom += QPoint(dx, dy);
    if (m_dragged == Item::Photo)
        emit photoMoved();
    update();
}

void TemplatePreview::mouseReleaseEvent(QMouseEvent*)
{
    m_dragged = Item::None;
}

void TemplatePreview::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit itemDoubleClicked(itemAt(event->position().toPoint()));
}

} // namespace gp::ui
