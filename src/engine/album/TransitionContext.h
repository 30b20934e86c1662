#pragma once
// Shared by the transition families: the canvas, the picture size, the pacer and the random
// generator, with copies clipped to the picture so no family can draw outside it.

#include "base/ClassicRandom.h"
#include "album/SlideCanvas.h"
#include "album/TransitionEffect.h"
#include "album/TransitionPacer.h"

#include <algorithm>

namespace gp::transition {

struct Context {
    SlideCanvas& canvas;
    int width;
    int height;
    StepPacer& pacer;
    ClassicRandom& random;

    // Copies source to target, both clipped to the picture.
    void copy(Rect source, Point target)
    {
        int dx = target.x - source.left;
        int dy = target.y - source.top;
        const int left = std::max({ source.left, 0, -dx });
        const int top = std::max({ source.top, 0, -dy });
        const int right = std::min({ source.right, width, width - dx });
        const int bottom = std::min({ source.bottom, height, height - dy });
        if (right <= left || bottom <= top)
            return;
        canvas.copy(Rect { left, top, right, bottom }, Point { left + dx, top + dy });
    }
    void copyArea(const Rect& area) { copy(area, Point { area.left, area.top }); }
    void copyRow(int y, int x0, int x1) { copyArea(Rect { x0, y, x1, y + 1 }); }
    void copyColumn(int x, int y0, int y1) { copyArea(Rect { x, y0, x + 1, y1 }); }
    void copyAll() { copyArea(Rect { 0, 0, width, height }); }

    bool step(long long done, long long total) { return pacer.step(done, total); }
    int rand() { return random.next(); }
};

// The families, by the first effect number of their ranges; each gets the effect number.
bool plainCopy(Context& c);
bool lineWipe(Context& c, int effect); // 1..8
bool movingRectangle(Context& c, int effect); // 19..21
bool frameRings(Context& c, int effect); // 22..24
bool cornerGrowth(Context& c, int effect); // 39, 40
bool edgeBand(Context& c, int effect); // 41, 42
bool orderedReveal(Context& c, int effect); // the families drawn by a step number per pixel
bool blockDissolve(Context& c, int effect); // 29..32
bool growingBands(Context& c, int effect); // 47..52
bool lineGrid(Context& c, int effect); // 56..60
bool randomLines(Context& c); // 67, 68
bool raggedEdges(Context& c, int effect); // 69..71
bool diagonalSweep(Context& c, int effect); // 72..75
bool checkerDiagonals(Context& c); // 76, 77
bool randomSplit(Context& c, int effect); // 101..104
bool cornerSlide(Context& c, int effect); // 84..91
bool centreBurst(Context& c, int effect); // 92..95
bool growingTiles(Context& c, int effect); // 96..100
bool edgeSlide(Context& c, int effect); // 105..108
bool curtains(Context& c, int effect); // 131, 132

} // namespace gp::transition
