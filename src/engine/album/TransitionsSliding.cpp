// The families that move parts of the picture into place: the corner slide (84..91), the
// centre burst (92..95), the growing tiles (96..100), the edge slide (105..108) and the
// curtains (131, 132).

#include "album/TransitionContext.h"

#include <vector>

namespace gp::transition {

bool cornerSlide(Context& c, int effect)
{
    const int variant = effect - SlideFromTopLeft;
    const int growth = 3 * (variant / 4 + 1);
    const int corner = variant % 4;
    const int w = c.width, h = c.height;
    const long long total = (long long)w * h / growth + 1;
    long long done = 0;
    int shownW = c.rand() % growth + 1;
    int shownH = c.rand() % growth + 1;
    while (!(shownW > w && shownH > h)) {
        const int cw = std::min(shownW, w);
        const int ch = std::min(shownH, h);
        // The picture slides in from the top left, top right, bottom left or bottom right.
        switch (corner) {
        case 0: c.copy(Rect { w - cw, h - ch, w, h }, Point { 0, 0 }); break;
        case 1: c.copy(Rect { 0, h - ch, cw, h }, Point { w - cw, 0 }); break;
        case 2: c.copy(Rect { w - cw, 0, w, ch }, Point { 0, h - ch }); break;
        default: c.copy(Rect { 0, 0, cw, ch }, Point { w - cw, h - ch }); break;
        }
        if (!c.step(++done, total))
            return false;
        shownW += c.rand() % growth + 1;
        shownH += c.rand() % growth + 1;
    }
    c.copyAll();
    return c.step(++done, total);
}

bool centreBurst(Context& c, int effect)
{
    const int growth = 2 * (effect - CentreBurstBy2 + 1);
    const int w = c.width, h = c.height;
    const long long total = (long long)(w / growth) * (h / growth) + 1;
    long long done = 0;
    int left = w / 2 - c.rand() % growth - 1;
    int right = w / 2 + 1 + c.rand() % growth;
    int top = h / 2 - c.rand() % growth - 1;
    int bottom = h / 2 + 1 + c.rand() % growth;
    while (!(left < 0 && top < 0 && right > w && bottom > h)) {
        const int x = std::max(left, 0);
        const int y = std::max(top, 0);
        const int cw = std::min(w - x, right - left);
        const int ch = std::min(h - y, bottom - top);
        c.copy(Rect { 0, 0, cw, ch }, Point { x, y });
        if (!c.step(++done, total))
            return false;
        left -= c.rand() % growth + 1;
        right += c.rand() % growth + 1;
        top -= c.rand() % growth + 1;
        bottom += c.rand() % growth + 1;
    }
    c.copyAll();
    return c.step(++done, total);
}

bool growingTiles(Context& c, int effect)
{
    const int variant = effect - GrowingTilesUpTo3;
    const int tiles = std::min({ c.rand() % (variant + 2) + 2, 6, c.width, c.height });
    const int tileW = c.width / tiles;
    const int tileH = c.height / tiles;
    // Each tile's window, in tile coordinates, starts as the point at the tile's centre.
    std::vector<Rect> windows(std::size_t(tiles * tiles), Rect { tileW / 2, tileH / 2, tileW / 2, tileH / 2 });
    std::vector<int> pending(windows.size());
    for (std::size_t i = 0; i < pending.size(); ++i)
        pending[i] = int(i);
    const long long total = 2LL * tileW * tileH;
    long long done = 0;
    while (!pending.empty()) {
        const std::size_t pick = std::size_t(c.rand() % int(pending.size()));
        const int tile = pending[pick];
        Rect& win = windows[std::size_t(tile)];
        win.left -= c.rand() % 2 + 1;
        win.top -= c.rand() % 2 + 1;
        win.right += c.rand() % 2 + 1;
        win.bottom += c.rand() % 2 + 1;
        const int tileX = (tile % tiles) * tileW;
        const int tileY = (tile / tiles) * tileH;
        const int u = std::max(win.left, 0);
        const int v = std::max(win.top, 0);
        const int cw = std::min(tileW - u, win.right - win.left);
        const int ch = std::min(tileH - v, win.bottom - win.top);
        c.copy(Rect { tileX, tileY, tileX + cw, tileY + ch }, Point { tileX + u, tileY + v });
        if (win.left < 0 && win.top < 0 && win.right > tileW && win.bottom > tileH)
            pending.erase(pending.begin() + std::ptrdiff_t(pick));
        if (!c.step(++done, total))
            return false;
    }
    c.copyAll();
    return c.step(++done, total);
}

bool edgeSlide(Context& c, int effect)
{
    // The picture slides in from the left (105), right (106), top (107) or bottom (108) edge:
    // the part that has arrived is its far end, shown at the near edge.
    constexpr int kSteps = 32;
    const int w = c.width, h = c.height;
    for (int k = 1; k <= kSteps; ++k) {
        const int vw = int((long long)w * k / kSteps);
        const int vh = int((long long)h * k / kSteps);
        switch (effect) {
        case SlideInFromLeft: c.copy(Rect { w - vw, 0, w, h }, Point { 0, 0 }); break;
        case SlideInFromRight: c.copy(Rect { 0, 0, vw, h }, Point { w - vw, 0 }); break;
        case SlideInFromTop: c.copy(Rect { 0, h - vh, w, h }, Point { 0, 0 }); break;
        default: c.copy(Rect { 0, 0, w, vh }, Point { 0, h - vh }); break;
        }
        if (!c.step(k, kSteps))
            return false;
    }
    return true;
}

bool curtains(Context& c, int effect)
{
    // The two halves slide in from opposite edges and meet in the middle: the left and right
    // halves (131) or the top and bottom halves (132).
    constexpr int kSteps = 32;
    const bool across = effect == CurtainsSideways;
    const int n = across ? c.width : c.height;
    const int firstHalf = n / 2;
    const int secondHalf = n - firstHalf;
    for (int k = 1; k <= kSteps; ++k) {
        const int a = int((long long)firstHalf * k / kSteps);
        const int b = int((long long)secondHalf * k / kSteps);
        if (across) {
            c.copy(Rect { firstHalf - a, 0, firstHalf, c.height }, Point { 0, 0 });
            c.copy(Rect { firstHalf, 0, firstHalf + b, c.height }, Point { n - b, 0 });
        } else {
            c.copy(Rect { 0, firstHalf - a, c.width, firstHalf }, Point { 0, 0 });
            c.copy(Rect { 0, firstHalf, c.width, firstHalf + b }, Point { 0, n - b });
        }
        if (!c.step(k, kSteps))
            return false;
    }
    return true;
}

} // namespace gp::transition
