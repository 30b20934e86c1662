#include "editing/workflow/CropRectangle.h"

#include "editing/selection/LiftSelection.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace gp {

namespace {

bool namesFreeProportion(std::string_view cellName)
{
    std::string upper(cellName);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return upper.find("FREE") != std::string::npos;
}

bool movesLeft(CropHandle h)
{
    return h == CropHandle::TopLeft || h == CropHandle::BottomLeft || h == CropHandle::LeftEdge;
}
bool movesRight(CropHandle h)
{
    return h == CropHandle::TopRight || h == CropHandle::BottomRight || h == CropHandle::RightEdge;
}
bool movesTop(CropHandle h)
{
    return h == CropHandle::TopLeft || h == CropHandle::TopRight || h == CropHandle::TopEdge;
}
bool movesBottom(CropHandle h)
{
    return h == CropHandle::BottomLeft || h == CropHandle::BottomRight || h == CropHandle::BottomEdge;
}
bool isCorner(CropHandle h)
{
    return h == CropHandle::TopLeft || h == CropHandle::BottomLeft || h == CropHandle::TopRight
        || h == CropHandle::BottomRight;
}

// Rounds toward minus infinity, so that a corner left of or above the window keeps its unit.
int floorDivide(int value, int unit)
{
    const int q = value / unit;
    return q * unit > value ? q - 1 : q;
}

} // namespace

CropRectangle::CropRectangle(Rect displayed, int unit)
    : m_unit(std::max(unit, 1))
    , m_displayed { floorDivide(displayed.left, m_unit), floorDivide(displayed.top, m_unit),
        floorDivide(displayed.right, m_unit), floorDivide(displayed.bottom, m_unit) }
{
}

CropRectangle CropRectangle::rescaled(Rect displayed, int unit) const
{
    CropRectangle next(displayed, unit);
    next.m_free = m_free;
    next.m_ratio = m_ratio;
    if (next.m_displayed == m_displayed || m_displayed.isEmpty() || m_rect.width() <= 0) {
        // A rectangle not yet placed stays unplaced.
        if (m_rect.width() > 0)
            next.m_rect = m_rect;
    } else {
        // Each edge keeps its place as a share of the displayed photo.
        const auto along = [](int v, int from0, int fromSize, int to0, int toSize) {
            return to0 + int(std::lround(double(v - from0) * toSize / fromSize));
        };
        const Rect& was = m_displayed;
        const Rect& now = next.m_displayed;
        next.m_rect = { along(m_rect.left, was.left, was.width(), now.left, now.width()),
            along(m_rect.top, was.top, was.height(), now.top, now.height()),
            along(m_rect.right, was.left, was.width(), now.left, now.width()),
            along(m_rect.bottom, was.top, was.height(), now.top, now.height()) };
        next.clipToPhoto();
    }
    return next;
}

Rect CropRectangle::inPixels(Rect r) const
{
    return { r.left * m_unit, r.top * m_unit, r.right * m_unit, r.bottom * m_unit };
}

void CropRectangle::setProportion(std::string_view cellName, int cellWidth, int cellHeight)
{
    const int displayW = m_displayed.width();
    const int displayH = m_displayed.height();
    m_free = namesFreeProportion(cellName) || cellWidth <= 0 || cellHeight <= 0;
    if (m_free) {
        // Free proportions start from the whole displayed photo.
        cellWidth = std::max(displayW, 1);
        cellHeight = std::max(displayH, 1);
    }
    long long width = displayW;
    long long height = displayH;
    if (displayW > 0 && displayH > 0) {
        if (double(cellHeight) / displayH > double(cellWidth) / displayW)
            width = (long long)displayH * cellWidth / cellHeight;
        else
            height = (long long)displayW * cellHeight / cellWidth;
    }
    m_rect.left = m_displayed.left + int((displayW - width) / 2);
    m_rect.top = m_displayed.top + int((displayH - height) / 2);
    m_rect.right = m_rect.left + int(width);
    m_rect.bottom = m_rect.top + int(height);
    // An edge on the photo's own bottom or right edge would draw its outline off the picture.
    if (m_rect.bottom == m_displayed.bottom)
        --m_rect.bottom;
    if (m_rect.right == m_displayed.right)
        --m_rect.right;
    m_ratio = m_rect.height() > 0 ? double(m_rect.width()) / m_rect.height() : 1.0;
}

CropHandle CropRectangle::hitTest(Point p) const
{
    if (m_rect.width() <= 0)
        return CropHandle::None;
    // The mouse is as fine as the display, so the test is made in pixels.
    const Rect r = rect();
    const int t = kCropHitTolerance * m_unit;
    const bool nearLeft = std::abs(p.x - r.left) <= t;
    const bool nearRight = std::abs(p.x - r.right) <= t;
    const bool nearTop = std::abs(p.y - r.top) <= t;
    const bool nearBottom = std::abs(p.y - r.bottom) <= t;
    const bool alongX = p.x >= r.left - t && p.x <= r.right + t;
    const bool alongY = p.y >= r.top - t && p.y <= r.bottom + t;
    if (nearLeft && nearTop)
        return CropHandle::TopLeft;
    if (nearLeft && nearBottom)
        return CropHandle::BottomLeft;
    if (nearRight && nearTop)
        return CropHandle::TopRight;
    if (nearRight && nearBottom)
        return CropHandle::BottomRight;
    if (m_free) {
        if (nearLeft && alongY)
            return CropHandle::LeftEdge;
        if (nearRight && alongY)
            return CropHandle::RightEdge;
        if (nearTop && alongX)
            return CropHandle::TopEdge;
        if (nearBottom && alongX)
            return CropHandle::BottomEdge;
    }
    if (p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom)
        return CropHandle::Inside;
    return CropHandle::None;
}

CropCursor CropRectangle::cursorFor(CropHandle handle, bool dragging)
{
    switch (handle) {
    case CropHandle::TopLeft:
    case CropHandle::BottomRight:
        return CropCursor::ResizeNwSe;
    case CropHandle::BottomLeft:
    case CropHandle::TopRight:
        return CropCursor::ResizeNeSw;
    case CropHandle::LeftEdge:
    case CropHandle::RightEdge:
        return CropCursor::ResizeHorizontal;
    case CropHandle::TopEdge:
    case CropHandle::BottomEdge:
        return CropCursor::ResizeVertical;
    case CropHandle::Inside:
        return dragging ? CropCursor::ClosedHand : CropCursor::OpenHand;
    case CropHandle::None:
        break;
    }
    return CropCursor::Arrow;
}

Point CropRectangle::drag(CropHandle handle, int dx, int dy)
{
    // The whole units of the movement; truncation toward zero leaves a remainder smaller than a
    // unit either way for the next movement. A movement the rectangle's limits stop is still
    // taken, as the mouse has gone on.
    dx /= m_unit;
    dy /= m_unit;
    const Point taken { dx * m_unit, dy * m_unit };
    if (handle == CropHandle::None || m_rect.width() <= 0)
        return taken;
    if (handle == CropHandle::Inside)
        move(dx, dy);
    else if (m_free)
        dragFree(handle, dx, dy);
    else if (isCorner(handle))
        dragFixedCorner(handle, dx, dy);
    else
        return taken; // fixed proportions have no edge handles
    clipToPhoto();
    return taken;
}

void CropRectangle::dragFree(CropHandle handle, int dx, int dy)
{
    if (movesLeft(handle))
        m_rect.left = std::min(m_rect.left + dx, m_rect.right - kCropMinimumFree);
    if (movesRight(handle))
        m_rect.right = std::max(m_rect.right + dx, m_rect.left + kCropMinimumFree);
    if (movesTop(handle))
        m_rect.top = std::min(m_rect.top + dy, m_rect.bottom - kCropMinimumFree);
    if (movesBottom(handle))
        m_rect.bottom = std::max(m_rect.bottom + dy, m_rect.top + kCropMinimumFree);
}

void CropRectangle::dragFixedCorner(CropHandle handle, int dx, int dy)
{
    const double ratio = m_ratio > 0 ? m_ratio : 1.0;
    const int cx = (m_rect.left + m_rect.right) / 2;
    const int cy = (m_rect.top + m_rect.bottom) / 2;
    int width = m_rect.width();
    int height = m_rect.height();
    if (std::abs(dy) < std::abs(dx)) {
        width = movesLeft(handle) ? width - 2 * dx : width + 2 * dx;
        height = int(width / ratio);
    } else {
        height = movesTop(handle) ? height - 2 * dy : height + 2 * dy;
        height = std::max(height, kCropMinimumFixed);
        width = int(height * ratio);
    }
    // The rectangle grows about its centre, so each side may reach only as far as the nearer
    // edge of the photo allows.
    const int limitW = 2 * std::min(cx - m_displayed.left, m_displayed.right - cx);
    const int limitH = 2 * std::min(cy - m_displayed.top, m_displayed.bottom - cy);
    width = std::min(width, limitW);
    height = int(width / ratio);
    if (height > limitH) {
        height = limitH;
        width = int(height * ratio);
    }
    width = std::max(width, kCropMinimumFixed);
    height = std::max(height, kCropMinimumFixed);
    if (ratio > 1)
        width = int(ratio * height);
    else
        height = int(width / ratio);
    m_rect.left = cx - width / 2;
    m_rect.top = cy - height / 2;
    m_rect.right = m_rect.left + width;
    m_rect.bottom = m_rect.top + height;
}

void CropRectangle::move(int dx, int dy)
{
    dx = std::clamp(dx, std::min(0, m_displayed.left - m_rect.left), std::max(0, m_displayed.right - m_rect.right));
    dy = std::clamp(dy, std::min(0, m_displayed.top - m_rect.top), std::max(0, m_displayed.bottom - m_rect.bottom));
    m_rect.left += dx;
    m_rect.right += dx;
    m_rect.top += dy;
    m_rect.bottom += dy;
}

void CropRectangle::clipToPhoto()
{
    m_rect.left = std::max(m_rect.left, m_displayed.left);
    m_rect.top = std::max(m_rect.top, m_displayed.top);
    m_rect.right = std::min(m_rect.right, m_displayed.right);
    m_rect.bottom = std::min(m_rect.bottom, m_displayed.bottom);
    // Keep the outline's bottom and right lines on the picture: move the rectangle in by one
    // pixel, or shrink it when it already starts at the photo's top (left) edge.
    if (m_rect.bottom >= m_displayed.bottom) {
        if (m_rect.top > std::max(m_displayed.top, 0))
            --m_rect.top;
        --m_rect.bottom;
    }
    if (m_rect.right >= m_displayed.right) {
        if (m_rect.left > std::max(m_displayed.left, 0))
            --m_rect.left;
        --m_rect.right;
    }
}

std::optional<Rect> CropRectangle::photoRect(Size photo) const
{
    if (m_rect.width() < kCropMinimumFree || m_displayed.width() <= 0 || m_displayed.height() <= 0)
        return std::nullopt;
    const double t = photo.height > photo.width ? double(photo.height) / m_displayed.height()
                                                : double(photo.width) / m_displayed.width();
    const auto scaled = [t](int v) { return int(t * v + 0.5); };
    Rect r { scaled(m_rect.left - m_displayed.left), scaled(m_rect.top - m_displayed.top),
        scaled(m_rect.right - m_displayed.left), scaled(m_rect.bottom - m_displayed.top) };
    r.left = std::clamp(r.left, 0, photo.width);
    r.right = std::clamp(r.right, 0, photo.width);
    r.top = std::clamp(r.top, 0, photo.height);
    r.bottom = std::clamp(r.bottom, 0, photo.height);
    if (r.isEmpty())
        return std::nullopt;
    return r;
}

std::optional<Image> lightenOutside(const Image& display, Rect crop, const Allocator& allocator)
{
    if (display.bitsPerPixel() != 24)
        return std::nullopt;
    auto view = allocator.image(display.width(), display.height(), 24);
    if (!view)
        return std::nullopt;
    std::uint8_t light[256];
    for (int c = 0; c < 256; ++c)
        light[c] = std::uint8_t((c + 765) >> 2);
    const int left = std::clamp(crop.left, 0, display.width());
    const int right = std::clamp(crop.right, left, display.width());
    for (int y = 0; y < display.height(); ++y) {
        const std::uint8_t* in = display.row(y);
        std::uint8_t* out = view->row(y);
        const bool rowInside = y >= crop.top && y < crop.bottom;
        for (int x = 0; x < display.width(); ++x) {
            const bool inside = rowInside && x >= left && x < right;
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = inside ? in[3 * x + c] : light[in[3 * x + c]];
        }
    }
    return view;
}

std::optional<Image> cropPhoto(const Image& photo, const CropRectangle& crop, const Allocator& allocator)
{
    const auto area = crop.photoRect({ photo.width(), photo.height() });
    if (!area)
        return std::nullopt;
    return liftSelection(photo, *area, Rgb {}, allocator, Interrupt::Never);
}

} // namespace gp
