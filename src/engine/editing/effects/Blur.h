#pragma once
// Blur: a separable bell-shaped kernel of 2..32 taps (the length is limited to that range) with
// weights e^(−2x²) scaled to 2^20 and corrected tap by tap so that they sum to exactly 2^20, so
// a flat area stays exactly flat. A horizontal pass over the rows, then a vertical pass over its
// result; neighbours past the edges repeat the edge pixel; with an even length the window runs
// from −n/2 to n/2 − 1. Accepts 24-bit and grayscale images; returns a new image, or nothing for
// other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <array>
#include <optional>

namespace gp {

struct BlurKernel {
    int taps = 0;
    int centre = 0;
    std::array<int, 32> weights {}; // in units of 2^−20, summing to 2^20
};

BlurKernel blurKernel(int length);

// Works both passes row by row (the horizontal one into a small ring of rows), with the rows
// split over the run's workers.
std::optional<Image> blur(const Image& source, int length, const FilterRun& run);

// The plain form: the whole horizontal pass into a second picture, then the vertical pass, with
// the products looked up in tables, on the calling thread. It gives the same bytes as blur() and
// is kept as its reference.
std::optional<Image> blurTwoPass(const Image& source, int length, const FilterRun& run);

} // namespace gp
