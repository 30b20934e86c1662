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
    if (effect >= RowsFromTop && effect <= RowsToMiddleAlike)
        return lineWipe(c, effect);
    if (effect >= MovingRectangle4ByRows && effect <= MovingRectangle8ByRows)
        return movingRectangle(c, effect);
    if (effect >= RingsInward && effect <= RingsFromBothEnds)
        return frameRings(c, effect);
    if (effect >= BlockDissolveSmall && effect <= BlockDissolveSmallAlike)
        return blockDissolve(c, effect);
    if (effect == GrowFromTopLeft || effect == GrowFromBottomRight)
        return cornerGrowth(c, effect);
    if (effect == BandFromLeft || effect == BandFromRight)
        return edgeBand(c, effect);
    if (effect >= GrowingBands3 && effect <= GrowingBands8)
        return growingBands(c, effect);
    if (effect >= LineGrid16 && effect <= LineGrid48)
        return lineGrid(c, effect);
    if (effect == RandomLines || effect == RandomLinesAlike)
        return randomLines(c);
    if (effect >= RaggedEdges4 && effect <= RaggedEdges8)
        return raggedEdges(c, effect);
    if (effect >= DiagonalSweepFromTop && effect <= DiagonalSweepFromBottomAlike)
        return diagonalSweep(c, effect);
    if (effect == CheckerDiagonals || effect == CheckerDiagonalsAlike)
        return checkerDiagonals(c);
    if (effect >= SlideFromTopLeft && effect <= SlideFromBottomRightFast)
        return cornerSlide(c, effect);
    if (effect >= CentreBurstBy2 && effect <= CentreBurstBy8)
        return centreBurst(c, effect);
    if (effect >= GrowingTilesUpTo3 && effect <= GrowingTilesUpTo7)
        return growingTiles(c, effect);
    if (effect >= RandomSplitRows && effect <= RandomSplitColumnsFaster)
        return randomSplit(c, effect);
    if (effect >= SlideInFromLeft && effect <= SlideInFromBottom)
        return edgeSlide(c, effect);
    if (effect == CurtainsSideways || effect == CurtainsUpAndDown)
        return curtains(c, effect);
    if (effect >= RowsFromTop && effect <= kTransitionCount)
        return orderedReveal(c, effect);
    return plainCopy(c);
}

} // namespace gp
