#include "editing/effects/EllipseRadius.h"

#include <algorithm>

namespace gp {

long long EllipseRadius::term(long long centred, long long span, int shift)
{
    const long long square = centred * centred;
    const long long numerator = shift >= 0 ? square << shift : square >> -shift;
    const long long denominator = std::max(1LL, (span * span) >> (9 - shift));
    return numerator / denominator;
}

EllipseRadius::EllipseRadius(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_columnTerms(std::size_t(std::max(0, width)))
    , m_rowTerms(std::size_t(std::max(0, height)))
{
    const long long dw = width - 1, dh = height - 1;
    int halvings = 0;
    for (unsigned long long v = static_cast<unsigned long long>(dw * dw + dh * dh); v != 0; v >>= 1)
        ++halvings;
    const int shift = std::min(9, 31 - halvings);
    for (int x = 0; x < width; ++x)
        m_columnTerms[std::size_t(x)] = term(centredColumn(x), dw, shift);
    for (int y = 0; y < height; ++y)
        m_rowTerms[std::size_t(y)] = term(centredRow(y), dh, shift);
}

} // namespace gp
