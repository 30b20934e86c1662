#pragma once
// Melting: drops = amount × (width × height / 100) random pixels sink toward the bottom of the
// picture: each drop starts at column r1 mod width, stored row r2 mod height, and while it is
// above stored row 1 and the pixel one stored row lower is at least as bright (for 24-bit the sum
// of the channels), the two are exchanged. Stored row 0 is never reached, and a uniform image
// stays unchanged. Progress and the Escape test every 1280 drops. Accepts 24-bit and grayscale
// images; nothing for other types, on Escape or without memory.
//
// A drop only ever moves pixels of its own column, so drops in different columns can be applied
// in any order. melting() draws the drops in chunks, groups each chunk's drops by strips of
// neighbouring columns (in drawn order within a strip) and sinks a strip's drops in a
// column-by-column copy of the strip that stays in the cache, the strips shared among the run's
// workers. Where drops walk far (smooth pictures), each pixel's brightness lies beside a 24-bit
// copy, so that a drop looks for the row it stops on many rows at a time; each chunk chooses so
// from the rows the previous chunk's drops passed. meltingPlain() applies one drop after another
// in the picture; both give the same bytes and leave the generator in the same state.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"

#include <optional>

namespace gp {

// How melting() groups its work: drops per chunk (a multiple of 1280, so the Escape test still
// falls on the same drops) and the bytes of one strip's column copy. Tests make both small so
// that small pictures cross chunks and strips.
struct MeltingLayout {
    long long chunkDrops = 1280LL * 1600; // 8 MiB of drawn drops
    int stripBytes = 416 * 1024; // the copy and the strip's picture rows stay in the second-level cache
};

std::optional<Image> melting(const Image& source, int amount, ClassicRandom& random, const FilterRun& run,
    const MeltingLayout& layout = MeltingLayout {});

// The reference: each drop walks the picture's column in turn, on the calling thread.
std::optional<Image> meltingPlain(const Image& source, int amount, ClassicRandom& random, const FilterRun& run);

} // namespace gp
