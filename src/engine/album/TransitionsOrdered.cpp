// The families drawn from a step number per pixel: each step copies every run of pixels that
// carries its number, so any pattern that numbers every pixel covers the whole picture.
// Interlaced lines and squares (9..14), diagonal wipes (family A: 15..18, 53..55), block
// sweeps (25..28), ellipses (33..38), 8 × 8 pattern dissolves (43..46), blinds (61..64), barn
// doors (65, 66), block spirals (78..83), falling strips (109..114), diamonds and crosses
// (115..118), clock wipes (119, 120), checkerboards (121..124), cell dissolves (125..127) and
// random lines in groups (128..130).

#include "album/TransitionContext.h"

#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

namespace gp::transition {

namespace {

struct Run {
    int y;
    int x0;
    int x1;
};

template <typename StepOf> bool reveal(Context& c, int steps, StepOf stepOf)
{
    std::vector<std::vector<Run>> buckets(std::size_t(std::max(steps, 1)));
    auto clamped = [&](int x, int y) { return std::clamp(int(stepOf(x, y)), 0, steps - 1); };
    for (int y = 0; y < c.height; ++y) {
        int x = 0;
        int k = clamped(0, y);
        while (x < c.width) {
            int end = x + 1;
            int next = k;
            while (end < c.width && (next = clamped(end, y)) == k)
                ++end;
            buckets[std::size_t(k)].push_back(Run { y, x, end });
            x = end;
            k = next;
        }
    }
    for (int k = 0; k < steps; ++k) {
        for (const Run& run : buckets[std::size_t(k)])
            c.copyRow(run.y, run.x0, run.x1);
        if (!c.step(k + 1, steps))
            return false;
    }
    return true;
}

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

// Rows of n lines in interlaced order: every 8th from 0, every 8th from 4, every 4th from 2,
// then every 2nd from 1; rank[i] is line i's place in that order.
std::vector<int> interlacedRanks(int n)
{
    std::vector<int> rank(static_cast<std::size_t>(n));
    int next = 0;
    for (const auto& [start, stride] :
        { std::pair { 0, 8 }, std::pair { 4, 8 }, std::pair { 2, 4 }, std::pair { 1, 2 } })
        for (int i = start; i < n; i += stride)
            rank[std::size_t(i)] = next++;
    return rank;
}

// The place of each block of a cols × rows grid on a spiral from the top-left corner inward,
// clockwise, or counter-clockwise (down the left edge first).
std::vector<int> spiralRanks(int cols, int rows, bool clockwise)
{
    std::vector<int> rank(static_cast<std::size_t>(cols * rows));
    int left = 0, top = 0, right = cols - 1, bottom = rows - 1, next = 0;
    auto put = [&](int x, int y) { rank[std::size_t(y * cols + x)] = next++; };
    while (left <= right && top <= bottom) {
        if (clockwise) {
            for (int x = left; x <= right; ++x)
                put(x, top);
            for (int y = top + 1; y <= bottom; ++y)
                put(right, y);
            if (top < bottom)
                for (int x = right - 1; x >= left; --x)
                    put(x, bottom);
            if (left < right)
                for (int y = bottom - 1; y > top; --y)
                    put(left, y);
        } else {
            for (int y = top; y <= bottom; ++y)
                put(left, y);
            for (int x = left + 1; x <= right; ++x)
                put(x, bottom);
            if (left < right)
                for (int y = bottom - 1; y >= top; --y)
                    put(right, y);
            if (top < bottom)
                for (int x = right - 1; x > left; --x)
                    put(x, top);
        }
        ++left, ++top, --right, --bottom;
    }
    return rank;
}

// A random permutation of 0..n-1 drawn from the show's generator.
std::vector<int> shuffled(int n, ClassicRandom& random)
{
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    for (int i = n - 1; i > 0; --i)
        std::swap(order[std::size_t(i)], order[std::size_t(random.below(i + 1))]);
    return order;
}

// The 8 × 8 ordered-dither matrix: every one of the 64 places gets its own step.
int bayer8(int x, int y)
{
    int value = 0;
    for (int bit = 0; bit < 3; ++bit) {
        const int xb = (x >> bit) & 1;
        const int yb = (y >> bit) & 1;
        value |= ((xb ^ yb) << (5 - 2 * bit)) | (yb << (4 - 2 * bit));
    }
    return value;
}

bool interlaced(Context& c, int effect)
{
    const int w = c.width, h = c.height;
    switch (effect) {
    case InterlacedRows: {
        const auto rank = interlacedRanks(h);
        return reveal(c, h, [&](int, int y) { return rank[std::size_t(y)]; });
    }
    case InterlacedColumns: {
        const auto rank = interlacedRanks(w);
        return reveal(c, w, [&](int x, int) { return rank[std::size_t(x)]; });
    }
    case EvenRowsDownOddRowsUp: { // even rows downward and odd rows upward at once
        const int oddRows = h / 2;
        return reveal(c, (h + 1) / 2, [&](int, int y) { return y % 2 == 0 ? y / 2 : oddRows - 1 - (y - 1) / 2; });
    }
    default: { // the interlaced squares: squares in four interlaced passes of the block grid
        const int side = effect == InterlacedSquares8 ? 8 : 16;
        const int rows = ceilDiv(h, side);
        return reveal(c, 4 * rows, [&](int x, int y) {
            const int bx = x / side, by = y / side;
            static constexpr int kPass[2][2] = { { 0, 3 }, { 2, 1 } }; // [bx odd][by odd]
            const int row = effect == InterlacedSquares16FromBottom ? rows - 1 - by : by;
            return kPass[bx % 2][by % 2] * rows + row;
        });
    }
    }
}

bool diagonalWipe(Context& c, int effect)
{
    // Family A: the distance from a corner along the diagonal, x × h + y × w, scaled to steps;
    // 15..18 from one corner, 53 and 54 from two opposite corners, 55 from all four.
    constexpr int kSteps = 48;
    const long long w = c.width, h = c.height;
    auto fromCorner = [&](int x, int y, bool right, bool bottom) {
        const long long cx = right ? w - 1 - x : x;
        const long long cy = bottom ? h - 1 - y : y;
        return cx * h + cy * w;
    };
    return reveal(c, kSteps, [&](int x, int y) -> int {
        switch (effect) {
        case DiagonalFromTopLeft: return int(fromCorner(x, y, false, false) * kSteps / (2 * w * h));
        case DiagonalFromTopRight: return int(fromCorner(x, y, true, false) * kSteps / (2 * w * h));
        case DiagonalFromBottomLeft: return int(fromCorner(x, y, false, true) * kSteps / (2 * w * h));
        case DiagonalFromBottomRight: return int(fromCorner(x, y, true, true) * kSteps / (2 * w * h));
        case DiagonalFromTopLeftAndBottomRight:
            return int(std::min(fromCorner(x, y, false, false), fromCorner(x, y, true, true)) * kSteps / (w * h + 1));
        case DiagonalFromTopRightAndBottomLeft:
            return int(std::min(fromCorner(x, y, true, false), fromCorner(x, y, false, true)) * kSteps / (w * h + 1));
        default:
            return int(std::min({ fromCorner(x, y, false, false), fromCorner(x, y, true, true),
                           fromCorner(x, y, true, false), fromCorner(x, y, false, true) })
                * kSteps / (w * h + 1));
        }
    });
}

bool blockSweep(Context& c, int effect)
{
    // 32-pixel blocks: row by row (25), column by column (26), one diagonal of blocks per
    // step (27), rows in a snake (28).
    constexpr int kSide = 32;
    const int cols = ceilDiv(c.width, kSide), rows = ceilDiv(c.height, kSide);
    const int steps = effect == BlocksByDiagonals ? cols + rows - 1 : cols * rows;
    return reveal(c, steps, [&](int x, int y) {
        const int bx = x / kSide, by = y / kSide;
        switch (effect) {
        case BlocksByRows: return by * cols + bx;
        case BlocksByColumns: return bx * rows + by;
        case BlocksByDiagonals: return bx + by;
        default: return by * cols + ((by % 2) ? cols - 1 - bx : bx);
        }
    });
}

bool ellipses(Context& c, int effect)
{
    // An ellipse around the centre (33 growing, 34 shrinking), or a pair around the centres of
    // the left and right halves (35 growing, 37 shrinking) or of the top and bottom halves (36
    // growing, 38 shrinking); the step is the pixel's radius, scaled so the last ellipse
    // reaches the corners of its part.
    constexpr int kSteps = 32;
    const double w = c.width, h = c.height;
    const bool pairAcross = effect == EllipsePairSideBySideGrowing || effect == EllipsePairSideBySideShrinking;
    const bool pairDown = effect == EllipsePairAboveEachOtherGrowing || effect == EllipsePairAboveEachOtherShrinking;
    const bool shrinking = effect == EllipseShrinking || effect == EllipsePairSideBySideShrinking
        || effect == EllipsePairAboveEachOtherShrinking;
    const double rx = pairAcross ? w / 4 : w / 2;
    const double ry = pairDown ? h / 4 : h / 2;
    return reveal(c, kSteps, [&](int x, int y) {
        double cx = w / 2, cy = h / 2;
        if (pairAcross)
            cx = x < w / 2 ? w / 4 : 3 * w / 4;
        if (pairDown)
            cy = y < h / 2 ? h / 4 : 3 * h / 4;
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const int k = int(std::sqrt((dx * dx + dy * dy) / 2) * kSteps);
        return shrinking ? kSteps - 1 - k : k;
    });
}

bool patternDissolve(Context& c, int effect)
{
    // 43, 44: the places of an 8 × 8 ordered-dither matrix one per step. 45, 46: the rows of
    // the 8 × 8 cell in interlaced order, within each row the columns in a random order.
    if (effect <= DitherDissolveAlike)
        return reveal(c, 64, [](int x, int y) { return bayer8(x % 8, y % 8); });
    static constexpr int kRowRank[8] = { 0, 4, 2, 6, 1, 5, 3, 7 };
    const std::vector<int> columnRank = shuffled(8, c.random);
    return reveal(c, 64, [&](int x, int y) { return kRowRank[y % 8] * 8 + columnRank[std::size_t(x % 8)]; });
}

bool blinds(Context& c, int effect)
{
    // 61, 62: horizontal or vertical slats of 16 lines, each filled from its first line; 63, 64:
    // slats of 32 lines filled from their middle outward.
    const bool across = effect == HorizontalBlinds || effect == HorizontalBlindsFromMiddle;
    if (effect <= VerticalBlinds)
        return reveal(c, 16, [&](int x, int y) { return (across ? y : x) % 16; });
    return reveal(c, 16, [&](int x, int y) { return std::abs(2 * ((across ? y : x) % 32) - 31) / 2; });
}

bool barnDoor(Context& c, int effect)
{
    // Opening from the centre line outward: columns (65) or rows (66), two a side per step.
    const bool sideways = effect == DoorsOpeningSideways;
    const int n = sideways ? c.width : c.height;
    const int steps = (n - 1) / 4 + 1;
    return reveal(c, steps, [&](int x, int y) { return std::abs(2 * (sideways ? x : y) - (n - 1)) / 4; });
}

bool blockSpiral(Context& c, int effect)
{
    // Blocks of 16 (78..81) or 32 (82, 83) pixels along a spiral: inward clockwise (78, 82),
    // outward clockwise (79, 83), inward counter-clockwise (80) and outward counter-clockwise (81).
    const int side = effect >= SpiralInward32 ? 32 : 16;
    const bool outward = effect == SpiralOutward16 || effect == SpiralOutwardCounterClockwise16 || effect == SpiralOutward32;
    const bool clockwise = effect != SpiralInwardCounterClockwise16 && effect != SpiralOutwardCounterClockwise16;
    const int cols = ceilDiv(c.width, side), rows = ceilDiv(c.height, side);
    const auto rank = spiralRanks(cols, rows, clockwise);
    const int steps = cols * rows;
    return reveal(c, steps, [&](int x, int y) {
        const int k = rank[std::size_t((y / side) * cols + x / side)];
        return outward ? steps - 1 - k : k;
    });
}

bool fallingStrips(Context& c, int effect)
{
    // Vertical strips of 8, 16 or 32 pixels, each wiped downward (odd variants upward) with its
    // own random delay of up to half the wipe.
    constexpr int kWipe = 32;
    const int variant = effect - FallingStrips8;
    const int side = 8 << (variant / 2);
    const bool upward = variant % 2 == 1;
    std::vector<int> delay(static_cast<std::size_t>(ceilDiv(c.width, side)));
    for (int& d : delay)
        d = c.rand() % (kWipe / 2);
    const long long h = c.height;
    return reveal(c, kWipe + kWipe / 2, [&](int x, int y) {
        const long long row = upward ? h - 1 - y : y;
        return delay[std::size_t(x / side)] + int(row * kWipe / h);
    });
}

bool diamondsAndCrosses(Context& c, int effect)
{
    // Distances from the centre lines, each scaled by the other side so the shapes keep the
    // picture's proportions: a diamond growing (115) or closing in (116), a cross growing (117)
    // or closing in (118).
    constexpr int kSteps = 32;
    const long long w = c.width, h = c.height;
    return reveal(c, kSteps, [&](int x, int y) {
        const long long dx = std::abs(2 * x + 1 - w) * h;
        const long long dy = std::abs(2 * y + 1 - h) * w;
        const bool diamond = effect <= DiamondClosing;
        const int k = diamond ? int((dx + dy) * kSteps / (2 * w * h)) : int(std::min(dx, dy) * kSteps / (w * h));
        return (effect == DiamondClosing || effect == CrossClosing) ? kSteps - 1 - k : k;
    });
}

bool clockWipe(Context& c, int effect)
{
    // A hand sweeping round the centre from twelve o'clock, clockwise (119) or not (120).
    constexpr int kSteps = 48;
    const double cx = c.width / 2.0, cy = c.height / 2.0;
    return reveal(c, kSteps, [&](int x, int y) {
        double angle = std::atan2(x + 0.5 - cx, cy - (y + 0.5));
        if (angle < 0)
            angle += 2 * std::numbers::pi;
        const int k = int(angle / (2 * std::numbers::pi) * kSteps);
        return effect == ClockSweep ? k : kSteps - 1 - k;
    });
}

bool checkerboard(Context& c, int effect)
{
    // The squares of one colour of a checkerboard are wiped first, then the others: squares of
    // 16 (121, 122) or 32 (123, 124) pixels, wiped from the left (121, 123) or the top.
    const int side = effect <= Checkerboard16FromTop ? 16 : 32;
    const bool fromLeft = effect == Checkerboard16FromLeft || effect == Checkerboard32FromLeft;
    return reveal(c, 2 * side, [&](int x, int y) {
        const int parity = (x / side + y / side) % 2;
        return parity * side + (fromLeft ? x % side : y % side);
    });
}

bool cellDissolve(Context& c, int effect)
{
    // Cells of 1, 2 or 4 pixels appear in random steps.
    constexpr int kSteps = 32;
    const int side = 1 << (effect - PixelDissolve);
    const int cols = ceilDiv(c.width, side);
    std::vector<std::uint8_t> stepOfCell(std::size_t(cols) * std::size_t(ceilDiv(c.height, side)));
    for (auto& s : stepOfCell)
        s = std::uint8_t(c.rand() % kSteps);
    return reveal(c, kSteps, [&](int x, int y) { return stepOfCell[std::size_t(y / side) * cols + x / side]; });
}

bool shuffledLines(Context& c, int effect)
{
    // Rows (128), columns (129) or bands of four rows (130) in random order, in up to 64 steps.
    const int lines = effect == ShuffledColumns ? c.width : (effect == ShuffledRows ? c.height : ceilDiv(c.height, 4));
    const int steps = std::min(lines, 64);
    const std::vector<int> order = shuffled(lines, c.random);
    std::vector<int> stepOfLine(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i)
        stepOfLine[std::size_t(order[std::size_t(i)])] = int((long long)i * steps / lines);
    return reveal(c, steps, [&](int x, int y) {
        const int line = effect == ShuffledColumns ? x : (effect == ShuffledRows ? y : y / 4);
        return stepOfLine[std::size_t(line)];
    });
}

} // namespace

bool orderedReveal(Context& c, int effect)
{
    if (effect >= InterlacedRows && effect <= InterlacedSquares16FromBottom)
        return interlaced(c, effect);
    if ((effect >= DiagonalFromTopLeft && effect <= DiagonalFromBottomRight)
        || (effect >= DiagonalFromTopLeftAndBottomRight && effect <= DiagonalFromAllCorners))
        return diagonalWipe(c, effect);
    if (effect >= BlocksByRows && effect <= BlocksInSnake)
        return blockSweep(c, effect);
    if (effect >= EllipseGrowing && effect <= EllipsePairAboveEachOtherShrinking)
        return ellipses(c, effect);
    if (effect >= DitherDissolve && effect <= InterlacedRowsRandomColumnsAlike)
        return patternDissolve(c, effect);
    if (effect >= HorizontalBlinds && effect <= VerticalBlindsFromMiddle)
        return blinds(c, effect);
    if (effect == DoorsOpeningSideways || effect == DoorsOpeningUpAndDown)
        return barnDoor(c, effect);
    if (effect >= SpiralInward16 && effect <= SpiralOutward32)
        return blockSpiral(c, effect);
    if (effect >= FallingStrips8 && effect <= RisingStrips32)
        return fallingStrips(c, effect);
    if (effect >= DiamondGrowing && effect <= CrossClosing)
        return diamondsAndCrosses(c, effect);
    if (effect == ClockSweep || effect == CounterClockSweep)
        return clockWipe(c, effect);
    if (effect >= Checkerboard16FromLeft && effect <= Checkerboard32FromTop)
        return checkerboard(c, effect);
    if (effect >= PixelDissolve && effect <= CellDissolve4)
        return cellDissolve(c, effect);
    if (effect >= ShuffledRows && effect <= ShuffledRowBands)
        return shuffledLines(c, effect);
    return plainCopy(c);
}

} // namespace gp::transition
