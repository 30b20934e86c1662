// Feeds arbitrary bytes to the TIFF reader, with a 64 MiB block ceiling: on the fast roads over
// two threads, again on the calling thread with LZW's coded bytes read 16 at a time, and row by
// row (one read per uncompressed row, LZW through the plain decoder); all three must give the
// same answer and the same picture.

#include "QuietHost.h"
#include "base/WorkerPool.h"
#include "codecs/TiffReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static gp::WorkerPool twoThreads(2);
    gp::fuzz::QuietHost host;
    const gp::Allocator allocator(host, std::size_t(64) << 20);
    gp::ReadResult fast = gp::decodeTiff({ data, size }, allocator, gp::TiffDecoding { &twoThreads, false });
    gp::ReadResult windowed = gp::decodeTiff({ data, size }, allocator, gp::TiffDecoding { nullptr, false, 16 });
    gp::ReadResult plain = gp::decodeTiff({ data, size }, allocator, gp::TiffDecoding { nullptr, true });
    if (fast.status != plain.status || windowed.status != plain.status || fast.detail != plain.detail
        || windowed.detail != plain.detail)
        std::abort();
    if (fast.ok() && !std::ranges::equal(fast.image->packed(), plain.image->packed()))
        std::abort();
    if (windowed.ok() && !std::ranges::equal(windowed.image->packed(), plain.image->packed()))
        std::abort();
    return 0;
}
