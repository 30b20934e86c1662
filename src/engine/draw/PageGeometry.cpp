#include "draw/PageGeometry.h"

#include "draw/PrintDevice.h"

#include <algorithm>

namespace gp {

namespace {

void setWholeInches(PageGeometry& g)
{
    g.wholeInchWidth = g.dpiX * std::max(1, g.printableWidth / g.dpiX);
    g.wholeInchHeight = g.dpiY * std::max(1, g.printableHeight / g.dpiY);
}

} // namespace

Size PageGeometry::layoutSize(bool wholeInches) const
{
    if (wholeInches)
        return { wholeInchWidth, wholeInchHeight };
    return { printableWidth, printableHeight };
}

PageGeometry fallbackPageGeometry()
{
    PageGeometry g;
    setWholeInches(g);
    return g;
}

PageGeometry measurePageGeometry(const PrintDevice& device)
{
    PageGeometry g;
    const Size printable = device.printableSize();
    g.printableWidth = std::max(1, printable.width);
    g.printableHeight = std::max(1, printable.height);
    g.dpiX = std::max(1, device.resolutionX());
    g.dpiY = std::max(1, device.resolutionY());
    g.printingOffset = device.supportsEscape(Escape::GetPrintingOffset) ? device.printingOffset() : Point {};
    Size paper { g.printableWidth, g.printableHeight };
    if (device.supportsEscape(Escape::GetPhysPageSize))
        paper = device.paperSize();
    g.paperWidth = std::max(paper.width, g.printableWidth);
    g.paperHeight = std::max(paper.height, g.printableHeight);
    setWholeInches(g);
    return g;
}

} // namespace gp
