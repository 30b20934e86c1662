#include "layout/MattePage.h"

#include "layout/Calendar.h"
#include "layout/PhotoFit.h"
#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

void MattePage::startCalendar(int currentYear, int currentMonth)
{
    if (month >= 0)
        return;
    month = std::clamp(currentMonth, 0, 11);
    year = std::clamp(currentYear, kFirstCalendarYear, kLastCalendarYear);
}

int previewTextScale(int previewWidth, int dpiX, int printableWidth)
{
    return int(static_cast<long long>(previewWidth) * 10 * dpiX / std::max(printableWidth, 1) + 1);
}

void placeItems(MattePage& page, Size preview)
{
    const int w = preview.width, h = preview.height;
    auto at = [&](int x, int y, int height) {
        x = std::min(x, w - 30);
        y = std::min(y, h - 30);
        return Rect{x, y, x + 1, y + height};
    };
    page.upperRect = at(w / 4, h / 10, 20);
    page.photoRect = {w / 4, h / 4, 3 * w / 4, 3 * h / 4};
    page.lowerRect = at(w / 4, 3 * h / 4 + 10, 20);
}

std::vector<std::string> matteLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF and LF CR are one break.
            if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

FontSpec scaledFont(const MatteText& text, int scale)
{
    FontSpec font = text.font;
    font.height = int(static_cast<long long>(scale) * std::max(text.sizeTenths, 4) / 7200 + 1);
    return font;
}

Size textWindowSize(DrawingContext& dc, const MattePage& page, bool upper, int scale)
{
    const MatteText& text = upper ? page.upper : page.lower;
    const FontSpec font = scaledFont(text, scale);
    if (!upper && page.kind == MatteKind::Calendar) {
        const Size www = dc.measureText("WWW", font);
        return {22 * www.width / 3 + 4, 45 * www.height / 4 + 4};
    }
    const std::string shown = text.text.empty() ? std::string(gp::text(StringId::EditTextHint)) : text.text;
    int width = 0, lines = 0, lineHeight = 0;
    for (const std::string& line : matteLines(shown)) {
        const Size s = dc.measureText(line.empty() ? " " : line, font);
        width = std::max(width, s.width);
        lineHeight = std::max(lineHeight, s.height);
        ++lines;
    }
    return {width + 4, lines * lineHeight + 4};
}

Rect fitPhotoWindow(const Rect& previous, Size preview, Size photo, int percent)
{
    const Rect fitted = fitPhoto({0, 0, preview.width, preview.height}, photo);
    const int w = std::max(1, (fitted.width() * percent + 50) / 100);
    const int h = std::max(1, (fitted.height() * percent + 50) / 100);
    const int cx = (previous.left + previous.right) / 2, cy = (previous.top + previous.bottom) / 2;
    int left = std::max(0, std::min(cx - w / 2, preview.width - w));
    int top = std::max(0, std::min(cy - h / 2, preview.height - h));
    return {left, top, left + w, top + h};
}

int outputDpi(int photoWidth, int scale, int windowWidth)
{
    return int(static_cast<long long>(photoWidth) * scale / (std::max(windowWidth, 1) * 10LL) + 1);
}

Rect backgroundRect(Size page, Size image, MatteKind kind)
{
    const int x = (page.width - image.width) / 2;
    const int y = (page.height - image.height) / (kind == MatteKind::Calendar ? 5 : 2);
    return {x, y, x + image.width, y + image.height};
}

void drawMatteText(DrawingContext& dc, const MatteText& text, int scale, Point at)
{
    const FontSpec font = scaledFont(text, scale);
    const int lineHeight = std::max(1, dc.measureText("Ag", font).height);
    for (const std::string& line : matteLines(text.text)) {
        dc.drawText(at, line, font, TextAlign::Left, text.color, true);
        at.y += lineHeight;
    }
}

Rect printedRect(const Rect& r, Size preview, Size printable)
{
    auto sx = [&](int v) { return int(static_cast<long long>(printable.width) * v / std::max(preview.width, 1)); };
    auto sy = [&](int v) { return int(static_cast<long long>(printable.height) * v / std::max(preview.height, 1)); };
    return {sx(r.left), sy(r.top), sx(r.right), sy(r.bottom)};
}

Point printedTextPosition(const Rect& window, int textWidth, Size preview, Size printable)
{
    const long long centre2 =
        static_cast<long long>(printable.width) * (window.left + window.right) / std::max(preview.width, 1);
    const int x = std::clamp(int((centre2 - textWidth - 4) / 2), 0, printable.width);
    const int y = int(static_cast<long long>(printable.height) * window.top / std::max(preview.height, 1));
    return {x, y};
}

} // namespace gp
