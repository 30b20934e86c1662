#pragma once
// Sharpen: unsharp masking with a box blur. The blur is two running box sums of s pixels (s at
// least 2; the window runs from −s/2 to s − 1 − s/2, edges repeated) turned into rounded means
// through a division table; each pixel then gains (50 + a·d)/100 of its difference d from the
// blurred value (differences below the threshold t gain nothing; a negative difference −m gains
// −gain(m − 1)). Accepts 24-bit and grayscale images; returns a new image, or nothing for other
// types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

// Works both passes row by row (the horizontal means into a small ring of rows), with the rows
// split over the run's workers.
std::optional<Image> sharpen(const Image& source, int box, int amount, int threshold, const FilterRun& run);

// The plain form: the horizontal means of the whole picture into a second one, then the running
// vertical sums, on the calling thread. Gives the same bytes as sharpen(); kept as its reference.
std::optional<Image> sharpenTwoPass(const Image& source, int box, int amount, int threshold, const FilterRun& run);

} // namespace gp
