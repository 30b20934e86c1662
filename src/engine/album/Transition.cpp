#include "album/Transition.h"

#include "album/TransitionContext.h"

namespace gp {

using namespace transition;

bool runTransition(int effect, SlideCanvas& canvas, Size picture, TransitionDriver& driver, ClassicRandom& random)
{
    if (picture.width <= 0 || picture.height <= 0)
        return true;
    StepPacer pacer(driver);
    Context c { canvas, picture.width, picture.height, pacer, random };
    if (effect >= 1 && effect <= 8)
        return lineWipe(c, effect);
    if (effect >= 19 && effect <= 21)
        return movingRectangle(c, effect);
    if (effect >= 22 && effect <= 24)
        return frameRings(c, effect);
    if (effect >= 29 && effect <= 32)
        return blockDissolve(c, effect);
    if (effect == 39 || effect == 40)
        return cornerGrowth(c, effect);
    if (effect == 41 || effect == 42)
        return edgeBand(c, effect);
    if (effect >= 47 && effect <= 52)
        return growingBands(c, effect);
    if (effect >= 56 && effect <= 60)
        return lineGrid(c, effect);
    if (effect == 67 || effect == 68)
        return randomLines(c);
    if (effect >= 69 && effect <= 71)
        return raggedEdges(c, effect);
    if (effect >= 72 && effect <= 75)
        return diagonalSweep(c, effect);
    if (effect == 76 || effect == 77)
        return checkerDiagonals(c);
    if (effect >= 84 && effect <= 91)
        return cornerSlide(c, effect);
    if (effect >= 92 && effect <= 95)
        return centreBurst(c, effect);
    if (effect >= 96 && effect <= 100)
        return growingTiles(c, effect);
    if (effect >= 101 && effect <= 104)
        return randomSplit(c, effect);
    if (effect >= 105 && effect <= 108)
        return edgeSlide(c, effect);
    if (effect == 131 || effect == 132)
        return curtains(c, effect);
    if (effect >= 1 && effect <= kTransitionCount)
        return orderedReveal(c, effect);
    return plainCopy(c);
}

} // namespace gp
