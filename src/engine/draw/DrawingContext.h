#pragma once
// The drawing a device context offers, in the device's own pixels: stretch a packed bitmap into a
// rectangle, fill and frame rectangles, draw lines with a pen, write and measure text with a
// font description, and clip. The screen, the printer devices and the tests each provide one;
// layout, printing and the slide show draw only through it.

#include "base/Geometry.h"
#include "image/Image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gp {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

enum class PenStyle { Solid, Dash, Dot };

struct Pen {
    Color color;
    int width = 1; // device pixels; 0 draws one pixel wide
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A font by description. An empty face and a height of 0 stand for the device's current font.
struct FontSpec {
    std::string face;
    int height = 0; // character height in device pixels
    int weight = 400; // 100..900, 700 is bold
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Where a text's reference point lies: its left edge, its centre or its right edge, at the top.
enum class TextAlign { Left, Center, Right };

// A part of a packed bitmap in its own coordinates: x from the left, y counted in stored rows
// from the bottom row up, as the bitmap's bottom-up storage addresses it.
struct SourceArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const SourceArea&, const SourceArea&) = default;
};

class DrawingContext {
public:
    virtual ~DrawingContext() = default;

    // Stretches the source area of the image into target, with the image's own colour table
    // and without smoothing between colours. False when the device could not draw it.
    virtual bool stretchImage(const Image& image, const SourceArea& source, const Rect& target) = 0;

    virtual void fillRect(const Rect& rect, Color color) = 0;
    // Outlines a rectangle inside its edges with the pen.
    virtual void frameRect(const Rect& rect, const Pen& pen) = 0;
    virtual void drawLine(Point from, Point to, const Pen& pen) = 0;

    // Writes one line of text with its top at at.y, aligned on at.x; transparent leaves the
    // background between the letters untouched.
    virtual void drawText(
        Point at, std::string_view text, const FontSpec& font, TextAlign align, Color color, bool transparent)
        = 0;
    // The width and height a text would take.
    virtual Size measureText(std::string_view text, const FontSpec& font) = 0;

    // Limits drawing to a rectangle; std::nullopt lifts the limit.
    virtual void setClip(const std::optional<Rect>& clip) = 0;
};

} // namespace gp
