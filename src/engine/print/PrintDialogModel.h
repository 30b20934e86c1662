#pragma once
// What the Print dialog computes: the output resolution and its scroll bar, the size text, the
// page preview with the photo's box, its placement, dragging and centring, and the position
// fractions handed to the image print. The dialog window only shows these values.

#include "base/Geometry.h"
#include "print/ImagePrint.h"

#include <string>

namespace gp {

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

class PrintDialogModel {
public:
    // Opens for a photo of photoSize pixels with a resolution of xPelsPerMeter in its header, on
    // a printer of dpiX dots per inch and printable size printable. The output resolution from a
    // previous use stays when the photo has no resolution.
    void open(Size photoSize, int xPelsPerMeter, int dpiX, Size printable);

    int resolution() const { return m_resolution; }
    int minimumPosition() const { return m_minimum; }
    int position() const { return m_resolution / 10; }
    void scroll(ScrollAction action, int thumbPosition = 0);

    // "Width: 6.7 Inch  Height: 4.4 Inch" with the user's decimal separator.
    std::string sizeText(std::string_view decimalSeparator) const;

    // The preview frame: proportions of the printable area, as large as fits into the control's
    // area (after taking twice the frame thickness off), centred on it.
    Rect previewFrame(const Rect& controlArea, int frameThickness) const;
    void setPreviewSize(Size preview);
    // The photo's box inside the preview, placed by the centring switches or the drag.
    Rect photoBox() const { return m_box; }
    bool centerX() const { return m_centerX; }
    bool centerY() const { return m_centerY; }
    void setCenterX(bool on);
    void setCenterY(bool on);
    // Dragging the photo: starts only inside the box; moves switch both centring boxes off.
    bool beginDrag(Point at);
    void dragTo(Point at);
    void endDrag() { m_dragging = false; }

    // The position fractions of the box's corner in 1/10000 of the preview.
    int positionX() const;
    int positionY() const;

    std::string description;
    int copies = 1;
    void setCopiesText(const std::string& text);

    // The placement the image print gets after OK, with the scale from the output resolution.
    PrintPlacement placement() const;

private:
    void place();

    int m_resolution = 300;
    int m_minimum = 1;
    int m_dpiX = 600;
    Size m_photo;
    Size m_printable{1, 1};
    Size m_preview;
    Rect m_box;
    bool m_centerX = true;
    bool m_centerY = true;
    bool m_dragging = false;
    Point m_dragFrom;
};

} // namespace gp
