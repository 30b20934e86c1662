#pragma once
// The single-photo page of the Template command: a background, the photo, an upper text and
// below the photo a second text (matte) or a month calendar. The dialog's preview and the
// printer share these rules; the settings live for the program run.

#include "draw/DrawingContext.h"
#include "image/Image.h"

#include <string>
#include <vector>

namespace gp {

enum class MatteKind { Matte = 0, Calendar = 1 };

struct MatteText {
    std::string text; // lines separated by CR, LF, CR LF or LF CR; at most 5119 characters
    FontSpec font;    // face and style; the height comes from sizeTenths and the scale
    int sizeTenths = 200;
    Color color;
};

struct MattePage {
    static constexpr std::size_t kMaxTextLength = 5119;

    MatteKind kind = MatteKind::Matte;
    bool landscape = false;
    int photoPercent = 50;
    bool drawFrame = true;
    int backgroundKind = 0; // 0 none, 1 colour, k >= 2 catalogue entry k - 1
    Color backgroundColor{192, 220, 192};
    MatteText upper{{}, {"Arial", 0, 400}, 200, {0, 0, 255}};
    MatteText lower{{}, {"Arial", 0, 400}, 120, {255, 0, 0}};
    int month = -1; // 0..11; -1 until first used
    int year = 0;
    // Item rectangles in preview pixels; empty until the preview is first laid out.
    Rect upperRect;
    Rect photoRect;
    Rect lowerRect;
    int previewScale = 720;

    // Takes the current month and year the first time.
    void startCalendar(int currentYear, int currentMonth);
};

// The scale texts are drawn at in the preview: preview width × 10 × dpi / printable width + 1.
int previewTextScale(int previewWidth, int dpiX, int printableWidth);

// The first layout of the items in a preview of the given size.
void placeItems(MattePage& page, Size preview);

// The lines of a text, split at CR, LF, CR LF or LF CR.
std::vector<std::string> matteLines(const std::string& text);

// The font of a text at a scale: height scale × size / 7200 + 1 (sizes below 4 tenths read as 4).
FontSpec scaledFont(const MatteText& text, int scale);

// The size of a text's window: widest line + 4 by lines × line height + 4; the hint's size for
// an empty text; the calendar's size for the lower text of a calendar page.
Size textWindowSize(DrawingContext& dc, const MattePage& page, bool upper, int scale);

// The photo's window: its proportions fitted into the preview, scaled by the percentage, centred
// on the previous window's centre and kept inside the preview.
Rect fitPhotoWindow(const Rect& previous, Size preview, Size photo, int percent);

// "Output: %d dpi" of the photo at its window's size.
int outputDpi(int photoWidth, int scale, int windowWidth);

// Where a background picture of imageSize goes on a page of pageSize: centred across, at a fifth
// of the free height on a calendar page and centred on a matte page.
Rect backgroundRect(Size pageSize, Size imageSize, MatteKind kind);

// Writes a text's lines left-aligned downwards from at.
void drawMatteText(DrawingContext& dc, const MatteText& text, int scale, Point at);

// Printed positions: the photo's rectangle scaled from the preview to the printable area, and a
// text's top-left corner centred on its window's scaled centre.
Rect printedRect(const Rect& preview, Size previewSize, Size printable);
Point printedTextPosition(const Rect& window, int textWidth, Size previewSize, Size printable);

} // namespace gp
