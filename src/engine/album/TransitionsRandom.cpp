// The families whose drawing order the show's random generator decides or that follow a
// detailed line pattern: the block dissolve (29..32), growing bands (47..52), the line grid
// (56..60), random lines (67, 68), ragged edges (69..71), the diagonal sweep (72..75), the
// checkerboard diagonals (76, 77) and the random split (101..104).

#include "album/TransitionContext.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gp::transition {

namespace {

// Free slots of a permutation under construction: finds the k-th free one in O(log n).
class FreeSlots {
public:
    explicit FreeSlots(int n)
        : m_tree(std::size_t(n) + 1, 0)
        , m_n(n)
    {
        for (int i = 1; i <= n; ++i) {
            m_tree[std::size_t(i)] += 1;
            const int parent = i + (i & -i);
            if (parent <= n)
                m_tree[std::size_t(parent)] += m_tree[std::size_t(i)];
        }
        while (m_top * 2 <= n)
            m_top *= 2;
    }

    // Index of the k-th (from 0) free slot, which is then taken.
    int take(int k)
    {
        int position = 0;
        for (int step = m_top; step > 0; step /= 2) {
            const int next = position + step;
            if (next <= m_n && m_tree[std::size_t(next)] <= k) {
                position = next;
                k -= m_tree[std::size_t(next)];
            }
        }
        for (int i = position + 1; i <= m_n; i += i & -i)
            m_tree[std::size_t(i)] -= 1;
        return position;
    }

private:
    std::vector<int> m_tree;
    int m_n;
    int m_top = 1;
};

} // namespace

bool blockDissolve(Context& c, int effect)
{
    const int variant = effect - BlockDissolveSmall;
    int longer = std::max(c.width, c.height);
    int halvings = 0;
    while (longer > 160 && halvings < 5) {
        longer /= 2;
        ++halvings;
    }
    const int side = 1 << std::max(variant % 3 + 3, halvings + 1);
    const int cols = (c.width + side - 1) / side;
    const int rows = (c.height + side - 1) / side;
    const int count = cols * rows;
    // For k from the count down to 1, the (random mod k)-th free slot gets k - 1.
    std::vector<int> order(static_cast<std::size_t>(count));
    FreeSlots free(count);
    for (int k = count; k >= 1; --k)
        order[std::size_t(free.take(c.rand() % k))] = k - 1;
    for (int i = 0; i < count; ++i) {
        const int block = order[std::size_t(i)];
        const int x = (block % cols) * side;
        const int y = (block / cols) * side;
        c.copyArea(Rect { x, y, x + side, y + side });
        if (!c.step(i + 1, count))
            return false;
    }
    return true;
}

bool growingBands(Context& c, int effect)
{
    const int variant = effect - GrowingBands3;
    const int bands = variant + 3;
    const int bandHeight = (variant + c.height + 2) / bands;
    const long long total = (long long)bands * c.width;
    std::vector<int> length(std::size_t(bands), 0);
    std::vector<int> growing(static_cast<std::size_t>(bands));
    for (int b = 0; b < bands; ++b)
        growing[std::size_t(b)] = b;
    long long drawn = 0;
    while (!growing.empty()) {
        const std::size_t pick = std::size_t(c.rand() % int(growing.size()));
        const int band = growing[pick];
        int& len = length[std::size_t(band)];
        const int grown = std::min(c.width, len + c.rand() % bands + 1);
        const int top = band * bandHeight;
        if (band % 2 == 0)
            c.copyArea(Rect { len, top, grown, top + bandHeight });
        else
            c.copyArea(Rect { c.width - grown, top, c.width - len, top + bandHeight });
        drawn += grown - len;
        len = grown;
        if (len >= c.width)
            growing.erase(growing.begin() + std::ptrdiff_t(pick));
        if (!c.step(drawn, total))
            return false;
    }
    return true;
}

bool lineGrid(Context& c, int effect)
{
    const int period = 8 * (effect - LineGrid16) + 16;
    for (int i = 0; i < period; ++i) {
        for (int y = i; y < c.height; y += period)
            c.copyRow(y, 0, c.width);
        for (int x = i; x < c.width; x += period)
            c.copyColumn(x, 0, c.height);
        if (!c.step(i + 1, period))
            return false;
    }
    return true;
}

bool randomLines(Context& c)
{
    // Every row and column once, in random order; a line already copied is drawn again. The
    // wide draw lets pictures of more than 32768 lines finish as well.
    const int lines = c.width + c.height;
    std::vector<bool> copied(std::size_t(lines), false);
    for (int n = 0; n < lines; ++n) {
        int line = 0;
        do
            line = c.random.below(lines);
        while (copied[std::size_t(line)]);
        copied[std::size_t(line)] = true;
        if (line < c.height)
            c.copyRow(line, 0, c.width);
        else
            c.copyColumn(line - c.height, 0, c.height);
        if (!c.step(n + 1, lines))
            return false;
    }
    return true;
}

bool raggedEdges(Context& c, int effect)
{
    const int w = c.width;
    const int strip = 2 * (effect - RaggedEdges4) + 4;
    std::vector<int> offset(std::size_t(c.height), 0);
    for (int i = 1; i < c.height; ++i)
        offset[std::size_t(i)] = offset[std::size_t(i - 1)] + c.rand() % 3 - 1;
    for (int t = 0; t < w; t += strip) {
        for (int i = 0; i < c.height; ++i) {
            const int r = offset[std::size_t(i)];
            const int d = std::min(r + t / 2, w - strip);
            if (t == 0 || d < 0)
                c.copyRow(i, 0, d + strip);
            else
                c.copyRow(i, d, d + strip);
            const int e = std::max(0, w + r - (t + 1) / 2);
            if (t > 0 && e <= w - strip)
                c.copyRow(i, e, e + strip);
            else
                c.copyRow(i, e, w);
        }
        if (!c.step(t + strip, w))
            return false;
    }
    return true;
}

bool diagonalSweep(Context& c, int effect)
{
    const int w = c.width, h = c.height;
    const bool down = effect == DiagonalSweepFromTop || effect == DiagonalSweepFromTopAlike;
    const int steps = w + h;
    for (int i = 0; i < steps; ++i) {
        for (int j = 0; j < std::min(h, i); ++j) {
            const int col = i - 1 - j;
            if (col >= w)
                continue;
            const int r = down ? j : h - 1 - j;
            const int x = down ? col : w + j - i;
            if (x < 3 || (x + r) % 4 == 0)
                c.copyRow(r, x, x + std::min(4, w - x));
        }
        if (!c.step(i + 1, steps))
            return false;
    }
    return true;
}

bool checkerDiagonals(Context& c)
{
    const int w = c.width, h = c.height;
    const int diagonals = w + h;
    const int steps = 2 * diagonals;
    int done = 0;
    // First pass, from the last diagonal back: single pixels where column + row is even.
    for (int f = diagonals - 1; f >= 0; --f) {
        for (int k = 0; k < std::min(h, f); ++k) {
            const int col = f - 1 - k;
            if (col >= 0 && col < w && (col + k) % 2 == 0)
                c.copyRow(k, col, col + 1);
        }
        if (!c.step(++done, steps))
            return false;
    }
    // Second pass, from the first diagonal on: runs of up to 8 pixels.
    for (int f = 0; f < diagonals; ++f) {
        for (int k = 0; k < std::min(h, f); ++k) {
            const int col = f - 1 - k;
            if (col >= 0 && col < w && (col < 8 || (col + k) % 8 == 0))
                c.copyRow(k, col, col + std::min(8, w - col));
        }
        if (!c.step(++done, steps))
            return false;
    }
    return true;
}

bool randomSplit(Context& c, int effect)
{
    // Both ends of every line start at its middle and move apart by random amounts in each
    // pass; one pass is one step, paced against the passes the slowest line could need. Each
    // pass copies only the two pieces the ends uncovered: the span between was copied before,
    // and copying it again made the late passes copy nearly the whole picture each.
    const int variant = effect - RandomSplitRows;
    const bool rows = variant % 2 == 0;
    const int speed = rows ? variant + 3 : 2 * (variant + 3);
    const int lines = rows ? c.height : c.width;
    const int length = rows ? c.width : c.height;
    std::vector<int> first(std::size_t(lines), length / 2);
    std::vector<int> second(std::size_t(lines), length / 2);
    const long long passesAtMost = length / 4 + 2;
    int open = 0;
    long long pass = 0;
    while (open < lines) {
        for (int i = 0; i < lines; ++i) {
            int& a = first[std::size_t(i)];
            int& b = second[std::size_t(i)];
            if (a < 0 && b > length)
                continue;
            const int oldA = std::max(a, 0);
            const int oldB = std::min(b, length);
            a -= c.rand() % speed + 2;
            b += c.rand() % speed + 2;
            const int newA = std::max(a, 0);
            const int newB = std::min(b, length);
            for (const auto& [from, to] : { std::pair { newA, oldA }, std::pair { oldB, newB } }) {
                if (from >= to)
                    continue;
                if (rows)
                    c.copyRow(i, from, to);
                else
                    c.copyColumn(i, from, to);
            }
            if (a < 0 && b > length)
                ++open;
        }
        if (!c.step(++pass, passesAtMost))
            return false;
    }
    return true;
}

} // namespace gp::transition
