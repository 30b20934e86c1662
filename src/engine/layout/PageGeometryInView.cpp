#include "layout/PageGeometryInView.h"

#include <algorithm>

namespace gp {

namespace {

int scale(long long value, long long numerator, long long denominator)
{
    return denominator == 0 ? 0 : int(value * numerator / denominator);
}

} // namespace

Rect paperRectInView(Size client, const PageGeometry& page)
{
    const Rect inset{4, 4, std::max(4, client.width - 4), std::max(4, client.height - 4)};
    const long long pw = std::max(page.paperWidth, 1), ph = std::max(page.paperHeight, 1);
    int width = inset.width(), height = inset.height();
    // The relatively longer side touches the inset rectangle.
    if (height * pw < width * ph)
        width = scale(height, pw, ph);
    else
        height = scale(width, ph, pw);
    const int left = inset.left + (inset.width() - width) / 2, top = inset.top + (inset.height() - height) / 2;
    return {left, top, left + width, top + height};
}

Rect printableRectInView(const Rect& paper, const PageGeometry& page)
{
    const int dx = scale((page.paperWidth - page.printableWidth) / 2, paper.width(), std::max(page.paperWidth, 1));
    const int dy = scale((page.paperHeight - page.printableHeight) / 2, paper.height(), std::max(page.paperHeight, 1));
    return {paper.left + dx, paper.top + dy, paper.right - dx, paper.bottom - dy};
}

Rect printerToView(const Rect& r, const Rect& viewPrintable, Size printable)
{
    const int w = viewPrintable.width(), h = viewPrintable.height();
    return {viewPrintable.left + scale(r.left, w, printable.width), viewPrintable.top + scale(r.top, h, printable.height),
            viewPrintable.left + scale(r.right, w, printable.width),
            viewPrintable.top + scale(r.bottom, h, printable.height)};
}

Rect viewToPrinter(const Rect& r, const Rect& viewPrintable, Size printable)
{
    const int w = std::max(viewPrintable.width(), 1), h = std::max(viewPrintable.height(), 1);
    return {scale(r.left - viewPrintable.left, printable.width, w), scale(r.top - viewPrintable.top, printable.height, h),
            scale(r.right - viewPrintable.left, printable.width, w),
            scale(r.bottom - viewPrintable.top, printable.height, h)};
}

} // namespace gp
