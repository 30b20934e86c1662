#pragma once
// The drawing context over a QPainter: the screen, the print devices and the raster page all
// draw through it. Coordinates are the painter's (device pixels for the print devices).

#include "draw/DrawingContext.h"

#include <QFont>
#include <QPainter>

namespace gp::gfx {

class QtDrawingContext final : public DrawingContext {
public:
    explicit QtDrawingContext(QPainter& painter)
        : m_painter(&painter)
    {
    }

    bool stretchImage(const Image& image, const SourceArea& source, const Rect& target) override;
    void fillRect(const Rect& rect, Color color) override;
    void frameRect(const Rect& rect, const Pen& pen) override;
    void drawLine(Point from, Point to, const Pen& pen) override;
    void drawText(
        Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent) override;
    Size measureText(std::string_view text, const FontSpec& font) override;
    void setClip(const std::optional<Rect>& clip) override;

    // The QFont of a description; the painter's current font for an empty one.
    QFont fontFor(const FontSpec& font) const;

    // With this on, an image area larger than its target in device pixels is sampled down to
    // the target's pixels before it reaches the painter, as a printer drops the rows and
    // columns it cannot show, so a file printer's output holds no more pixels than its page.
    // Off by default, so the screen may keep the detail its scaling would use.
    void setSamplesToDevicePixels(bool on) { m_samplesToDevicePixels = on; }

private:
    QPainter* m_painter;
    bool m_samplesToDevicePixels = false;
};

} // namespace gp::gfx
