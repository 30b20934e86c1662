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

private:
    QPainter* m_painter;
};

} // namespace gp::gfx
