#pragma once
// The squared normalised radius index shared by the lens and twist effects. In doubled
// coordinates centred on the image (X = 2x − (W − 1), Y = 2y − (H − 1), rows in storage order)
// the index k = (Y²·2^s)/(dh² >> (9 − s)) + (X²·2^s)/(dw² >> (9 − s)) is about
// 512·((X/dw)² + (Y/dh)²), with dw = W − 1, dh = H − 1 and s chosen so the products stay within
// 31 bits; k ≥ 512 lies outside the inscribed ellipse. The two terms are kept per column and row.

#include <vector>

namespace gp {

class EllipseRadius {
public:
    EllipseRadius(int width, int height);

    int centredColumn(int x) const { return 2 * x - (m_width - 1); }
    int centredRow(int y) const { return 2 * y - (m_height - 1); }
    long long columnTerm(int x) const { return m_columnTerms[std::size_t(x)]; }
    long long rowTerm(int y) const { return m_rowTerms[std::size_t(y)]; }
    long long index(int x, int y) const { return columnTerm(x) + rowTerm(y); }

private:
    static long long term(long long centred, long long span, int shift);

    int m_width;
    int m_height;
    std::vector<long long> m_columnTerms;
    std::vector<long long> m_rowTerms;
};

} // namespace gp
