#pragma once
// The slide show's transition effects by name. The numbers are the ones the show draws at
// random (1..132) and that effect 0 (the plain copy) stands for, so they never change; the
// families take the number and work out their variant from the first number of their range.
// Effects marked "alike" behave exactly like the one before them.

namespace gp::transition {

enum Effect : int {
    PlainCopy = 0,

    // Whole rows or columns in a fixed order.
    RowsFromTop = 1,
    RowsFromBottom = 2,
    ColumnsFromLeft = 3,
    ColumnsFromRight = 4,
    ColumnsToMiddle = 5, // one column from each side per step
    ColumnsToMiddleAlike = 6,
    RowsToMiddle = 7, // one row from the top and one from the bottom per step
    RowsToMiddleAlike = 8,

    // Interlaced lines and squares.
    InterlacedRows = 9,
    InterlacedColumns = 10,
    EvenRowsDownOddRowsUp = 11,
    InterlacedSquares16 = 12,
    InterlacedSquares8 = 13,
    InterlacedSquares16FromBottom = 14,

    // Diagonal wipes from one corner.
    DiagonalFromTopLeft = 15,
    DiagonalFromTopRight = 16,
    DiagonalFromBottomLeft = 17,
    DiagonalFromBottomRight = 18,

    // A rectangle travelling a grid of n × n cells in a snake.
    MovingRectangle4ByRows = 19,
    MovingRectangle6ByColumns = 20,
    MovingRectangle8ByRows = 21,

    // Rings of rows and columns.
    RingsInward = 22,
    RingsOutward = 23,
    RingsFromBothEnds = 24,

    // 32-pixel blocks in a sweeping order.
    BlocksByRows = 25,
    BlocksByColumns = 26,
    BlocksByDiagonals = 27,
    BlocksInSnake = 28,

    // Square blocks in random order; large pictures get larger blocks.
    BlockDissolveSmall = 29,
    BlockDissolveMedium = 30,
    BlockDissolveLarge = 31,
    BlockDissolveSmallAlike = 32,

    // Ellipses around the centre, or pairs around the centres of two halves.
    EllipseGrowing = 33,
    EllipseShrinking = 34,
    EllipsePairSideBySideGrowing = 35,
    EllipsePairAboveEachOtherGrowing = 36,
    EllipsePairSideBySideShrinking = 37,
    EllipsePairAboveEachOtherShrinking = 38,

    GrowFromTopLeft = 39,
    GrowFromBottomRight = 40,
    BandFromLeft = 41,
    BandFromRight = 42,

    // 8 × 8 pattern dissolves.
    DitherDissolve = 43,
    DitherDissolveAlike = 44,
    InterlacedRowsRandomColumns = 45,
    InterlacedRowsRandomColumnsAlike = 46,

    // Horizontal bands growing at random from alternate sides; the number is the band count.
    GrowingBands3 = 47,
    GrowingBands4 = 48,
    GrowingBands5 = 49,
    GrowingBands6 = 50,
    GrowingBands7 = 51,
    GrowingBands8 = 52,

    // Diagonal wipes from more than one corner.
    DiagonalFromTopLeftAndBottomRight = 53,
    DiagonalFromTopRightAndBottomLeft = 54,
    DiagonalFromAllCorners = 55,

    // Every p-th row and column per step; the number is the period p.
    LineGrid16 = 56,
    LineGrid24 = 57,
    LineGrid32 = 58,
    LineGrid40 = 59,
    LineGrid48 = 60,

    // Slats of rows (horizontal) or columns (vertical).
    HorizontalBlinds = 61,
    VerticalBlinds = 62,
    HorizontalBlindsFromMiddle = 63,
    VerticalBlindsFromMiddle = 64,

    // Opening from the centre line outward.
    DoorsOpeningSideways = 65,
    DoorsOpeningUpAndDown = 66,

    RandomLines = 67,
    RandomLinesAlike = 68,

    // Two ragged edges sweeping in from the sides; the number is the strip width.
    RaggedEdges4 = 69,
    RaggedEdges6 = 70,
    RaggedEdges8 = 71,

    DiagonalSweepFromTop = 72,
    DiagonalSweepFromBottom = 73,
    DiagonalSweepFromTopAlike = 74,
    DiagonalSweepFromBottomAlike = 75,

    CheckerDiagonals = 76,
    CheckerDiagonalsAlike = 77,

    // Blocks of 16 or 32 pixels along a spiral.
    SpiralInward16 = 78,
    SpiralOutward16 = 79,
    SpiralInwardCounterClockwise16 = 80,
    SpiralOutwardCounterClockwise16 = 81,
    SpiralInward32 = 82,
    SpiralOutward32 = 83,

    // The picture slides in from a corner by random amounts; the fast ones grow twice as much.
    SlideFromTopLeft = 84,
    SlideFromTopRight = 85,
    SlideFromBottomLeft = 86,
    SlideFromBottomRight = 87,
    SlideFromTopLeftFast = 88,
    SlideFromTopRightFast = 89,
    SlideFromBottomLeftFast = 90,
    SlideFromBottomRightFast = 91,

    // A window growing out of the centre by random amounts of up to the number per step.
    CentreBurstBy2 = 92,
    CentreBurstBy4 = 93,
    CentreBurstBy6 = 94,
    CentreBurstBy8 = 95,

    // Tiles whose content slides out from their centres; the number is the largest tile count
    // per side the draw can give (never more than 6).
    GrowingTilesUpTo3 = 96,
    GrowingTilesUpTo4 = 97,
    GrowingTilesUpTo5 = 98,
    GrowingTilesUpTo6 = 99,
    GrowingTilesUpTo7 = 100,

    // Every line opening from its middle by random amounts.
    RandomSplitRows = 101,
    RandomSplitColumns = 102,
    RandomSplitRowsFaster = 103,
    RandomSplitColumnsFaster = 104,

    SlideInFromLeft = 105,
    SlideInFromRight = 106,
    SlideInFromTop = 107,
    SlideInFromBottom = 108,

    // Vertical strips of 8, 16 or 32 pixels wiped down or up, each with a random delay.
    FallingStrips8 = 109,
    RisingStrips8 = 110,
    FallingStrips16 = 111,
    RisingStrips16 = 112,
    FallingStrips32 = 113,
    RisingStrips32 = 114,

    DiamondGrowing = 115,
    DiamondClosing = 116,
    CrossGrowing = 117,
    CrossClosing = 118,

    ClockSweep = 119,
    CounterClockSweep = 120,

    // The squares of one colour first, then the others, each wiped from one side.
    Checkerboard16FromLeft = 121,
    Checkerboard16FromTop = 122,
    Checkerboard32FromLeft = 123,
    Checkerboard32FromTop = 124,

    // Cells of 1, 2 or 4 pixels in random steps.
    PixelDissolve = 125,
    CellDissolve2 = 126,
    CellDissolve4 = 127,

    ShuffledRows = 128,
    ShuffledColumns = 129,
    ShuffledRowBands = 130,

    // Two halves sliding in from opposite edges.
    CurtainsSideways = 131,
    CurtainsUpAndDown = 132,
};

} // namespace gp::transition
