#include "QtDrawingContext.h"

#include <QFontMetrics>
#include <QImage>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace gp::gfx {

namespace {

QColor toQColor(Color c)
{
    return QColor(c.red, c.green, c.blue);
}

QRect toQRect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

Qt::PenStyle toQtStyle(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

QList<QRgb> colorTableOf(const Image& image)
{
    QList<QRgb> table;
    for (const Rgbq& c : image.colorTable())
        table.push_back(qRgb(c.red, c.green, c.blue));
    while (table.size() < 256)
        table.push_back(qRgb(0, 0, 0));
    return table;
}

// The colour index of pixel x in a stored row of a 1-, 4- or 8-bit image.
uchar indexAt(const std::uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    default: return row[x];
    }
}

// The source area sampled to width × height pixels, in storage order (the first row is the
// area's bottom row): each pixel takes the source pixel under its centre, the rows and columns
// in between are dropped. 24-bit areas give 24-bit pixels, the others 8-bit indices into the
// image's colour table.
QImage sampledStoredArea(const Image& image, const SourceArea& a, int width, int height)
{
    const int bits = image.bitsPerPixel();
    QImage out(width, height, bits == 24 ? QImage::Format_BGR888 : QImage::Format_Indexed8);
    if (out.isNull())
        return out;
    if (bits != 24)
        out.setColorTable(colorTableOf(image));
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[std::size_t(x)] = a.x + int((2LL * x + 1) * a.width / (2LL * width));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = image.storedRow(a.y + int((2LL * y + 1) * a.height / (2LL * height)));
        uchar* pixel = out.scanLine(y);
        if (bits == 24) {
            for (const int sx : columns) {
                std::memcpy(pixel, in + std::size_t(sx) * 3, 3);
                pixel += 3;
            }
        } else {
            for (const int sx : columns)
                *pixel++ = indexAt(in, sx, bits);
        }
    }
    return out;
}

// The source area as a QImage in storage order, at most width × height pixels. 24- and 8-bit
// areas that need no shrinking are viewed in place; the others are sampled into a copy.
QImage storedArea(const Image& image, const SourceArea& a, int width, int height)
{
    const int bits = image.bitsPerPixel();
    const auto rowBytes = static_cast<qsizetype>(image.rowSize());
    if (width < a.width || height < a.height || (bits != 24 && bits != 8))
        return sampledStoredArea(image, a, std::min(width, a.width), std::min(height, a.height));
    if (bits == 24)
        return QImage(image.storedRow(a.y) + std::size_t(a.x) * 3, a.width, a.height, rowBytes, QImage::Format_BGR888);
    QImage view(image.storedRow(a.y) + a.x, a.width, a.height, rowBytes, QImage::Format_Indexed8);
    view.setColorTable(colorTableOf(image));
    return view;
}

} // namespace

bool QtDrawingContext::stretchImage(const Image& image, const SourceArea& source, const Rect& target)
{
    if (image.isNull() || target.isEmpty())
        return false;
    // Keep the area inside the bitmap whatever the caller's rounding made of it.
    SourceArea a = source;
    a.x = std::clamp(a.x, 0, image.width());
    a.y = std::clamp(a.y, 0, image.height());
    a.width = std::clamp(a.width, 0, image.width() - a.x);
    a.height = std::clamp(a.height, 0, image.height() - a.y);
    if (a.width == 0 || a.height == 0)
        return true;
    // A printer cannot show more pixels than the target covers on its page, so the area is
    // shrunk to that first: the output carries no pixels the printer would drop anyway.
    int width = a.width, height = a.height;
    if (m_samplesToDevicePixels) {
        // Device pixels per unit along each of the target's own axes, so a turned page (a
        // landscape sheet) measures the same as an upright one.
        const QTransform t = m_painter->combinedTransform();
        width = std::max(1, int(std::lround(target.width() * std::hypot(t.m11(), t.m12()))));
        height = std::max(1, int(std::lround(target.height() * std::hypot(t.m21(), t.m22()))));
    }
    const QImage view = storedArea(image, a, width, height);
    if (view.isNull())
        return false;
    // The view is bottom-up: mirror the painter about the target so its first row lands at the
    // target's bottom.
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->translate(0, target.top + target.bottom);
    m_painter->scale(1, -1);
    m_painter->drawImage(toQRect(target), view);
    m_painter->restore();
    return true;
}

void QtDrawingContext::fillRect(const Rect& rect, Color color)
{
    if (!rect.isEmpty())
        m_painter->fillRect(toQRect(rect), toQColor(color));
}

void QtDrawingContext::frameRect(const Rect& rect, const Pen& pen)
{
    if (rect.isEmpty())
        return;
    const int w = std::max(1, pen.width);
    m_painter->save();
    QPen qpen(toQColor(pen.color), w, toQtStyle(pen.style), Qt::SquareCap, Qt::MiterJoin);
    m_painter->setPen(qpen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRectF(rect.left + w / 2.0, rect.top + w / 2.0, rect.width() - w, rect.height() - w));
    m_painter->restore();
}

void QtDrawingContext::drawLine(Point from, Point to, const Pen& pen)
{
    m_painter->save();
    m_painter->setPen(QPen(toQColor(pen.color), std::max(1, pen.width), toQtStyle(pen.style), Qt::FlatCap));
    m_painter->drawLine(from.x, from.y, to.x, to.y);
    m_painter->restore();
}

QFont QtDrawingContext::fontFor(const FontSpec& fontSpec) const
{
    QFont font = m_painter->font();
    if (!fontSpec.face.empty())
        font.setFamily(QString::fromStdString(fontSpec.face));
    if (fontSpec.height > 0)
        font.setPixelSize(fontSpec.height);
    font.setWeight(QFont::Weight(std::clamp(fontSpec.weight, 100, 900)));
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    return font;
}

void QtDrawingContext::drawText(
    Point at, std::string_view text, const FontSpec& fontSpec, TextAlign align, Color color, bool transparent)
{
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFont font = fontFor(fontSpec);
    const QFontMetrics metrics(font, m_painter->device());
    const int width = metrics.horizontalAdvance(string);
    int left = at.x;
    if (align == TextAlign::Center)
        left -= width / 2;
    else if (align == TextAlign::Right)
        left -= width;
    m_painter->save();
    if (!transparent)
        m_painter->fillRect(QRect(left, at.y, width, metrics.height()), Qt::white);
    m_painter->setFont(font);
    m_painter->setPen(toQColor(color));
    m_painter->drawText(QPoint(left, at.y + metrics.ascent()), string);
    m_painter->restore();
}

Size QtDrawingContext::measureText(std::string_view text, const FontSpec& fontSpec)
{
    const QFontMetrics metrics(fontFor(fontSpec), m_painter->device());
    return { metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))), metrics.height() };
}

void QtDrawingContext::setClip(const std::optional<Rect>& clip)
{
    if (clip)
        m_painter->setClipRect(toQRect(*clip));
    else
        m_painter->setClipping(false);
}

} // namespace gp::gfx
