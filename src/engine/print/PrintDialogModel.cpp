#include "print/PrintDialogModel.h"

#include "print/PrintResolution.h"
#include "shell/FormatDecimal.h"

#include <algorithm>
#include <cmath>

namespace gp {

void PrintDialogModel::open(Size photo, int xPelsPerMeter, int dpiX, Size printable)
{
    m_photo = photo;
    m_dpiX = std::max(dpiX, 1);
    m_printable = {std::max(printable.width, 1), std::max(printable.height, 1)};
    description.clear();
    copies = 1;
    m_centerX = m_centerY = true;
    const PrinterPage page{m_dpiX, m_printable};
    m_minimum = minimumResolutionPosition(photo, page);
    m_resolution = initialOutputResolution(xPelsPerMeter, m_resolution, photo, page);
    place();
}

void PrintDialogModel::scroll(ScrollAction action, int thumb)
{
    int p = position();
    switch (action) {
    case ScrollAction::LineUp: p -= 1; break;
    case ScrollAction::LineDown: p += 1; break;
    case ScrollAction::PageUp: p -= 5; break;
    case ScrollAction::PageDown: p += 5; break;
    case ScrollAction::Top: p = m_minimum; break;
    case ScrollAction::Bottom: p = 100; break;
    case ScrollAction::Thumb: p = thumb; break;
    }
    m_resolution = std::clamp(p, m_minimum, 100) * 10;
    place();
}

std::string PrintDialogModel::sizeText(std::string_view separator) const
{
    const double w = double(m_photo.width) / m_resolution, h = double(m_photo.height) / m_resolution;
    return "Width: " + formatDecimal(w, 1, separator) + " Inch  Height: " + formatDecimal(h, 1, separator) + " Inch";
}

Rect PrintDialogModel::previewFrame(const Rect& control, int frameThickness) const
{
    const int availableW = std::max(control.width() - 2 * frameThickness, 1);
    const int availableH = std::max(control.height() - 2 * frameThickness, 1);
    int w = availableW, h = availableH;
    if (static_cast<long long>(availableH) * m_printable.width < static_cast<long long>(availableW) * m_printable.height)
        w = int(static_cast<long long>(availableH) * m_printable.width / m_printable.height);
    else
        h = int(static_cast<long long>(availableW) * m_printable.height / m_printable.width);
    const int left = control.left + (control.width() - w) / 2, top = control.top + (control.height() - h) / 2;
    return {left, top, left + w, top + h};
}

void PrintDialogModel::setPreviewSize(Size preview)
{
    m_preview = preview;
    place();
}

void PrintDialogModel::place()
{
    const double scale = double(m_dpiX) / m_resolution;
    const int w = int(std::lround(scale * m_preview.width * m_photo.width / m_printable.width));
    const int h = int(std::lround(scale * m_preview.height * m_photo.height / m_printable.height));
    int x = m_centerX ? std::max(0, (m_preview.width - w) / 2) : m_box.left;
    int y = m_centerY ? std::max(0, (m_preview.height - h) / 2) : m_box.top;
    x = std::max(0, std::min(x, m_preview.width - w));
    y = std::max(0, std::min(y, m_preview.height - h));
    m_box = {x, y, x + w, y + h};
}

void PrintDialogModel::setCenterX(bool on)
{
    m_centerX = on;
    place();
}

void PrintDialogModel::setCenterY(bool on)
{
    m_centerY = on;
    place();
}

bool PrintDialogModel::beginDrag(Point at)
{
    m_dragging = m_box.contains(at);
    m_dragFrom = at;
    return m_dragging;
}

void PrintDialogModel::dragTo(Point at)
{
    if (!m_dragging)
        return;
    const int dx = at.x - m_dragFrom.x, dy = at.y - m_dragFrom.y;
    m_dragFrom = at;
    m_centerX = m_centerY = false;
    const int x = std::clamp(m_box.left + dx, 0, std::max(0, m_preview.width - m_box.width()));
    const int y = std::clamp(m_box.top + dy, 0, std::max(0, m_preview.height - m_box.height()));
    m_box = {x, y, x + m_box.width(), y + m_box.height()};
}

int PrintDialogModel::positionX() const { return m_preview.width > 0 ? m_box.left * 10000 / m_preview.width : 0; }
int PrintDialogModel::positionY() const { return m_preview.height > 0 ? m_box.top * 10000 / m_preview.height : 0; }

void PrintDialogModel::setCopiesText(const std::string& text)
{
    copies = std::max(1, std::atoi(text.c_str()));
}

PrintPlacement PrintDialogModel::placement() const
{
    PrintPlacement p;
    p.scaleX = p.scaleY = printScalePercent(m_resolution, PrinterPage{m_dpiX, m_printable});
    p.centerX = m_centerX;
    p.centerY = m_centerY;
    p.positionX = positionX();
    p.positionY = positionY();
    p.description = description.substr(0, kMaxDescriptionLength);
    return p;
}

} // namespace gp
