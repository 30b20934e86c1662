// Feeds arbitrary bytes to the PNG reader with a 64 MiB block ceiling, then turns the picture
// upright and applies its colour profile as the dispatcher does.

#include "QuietHost.h"
#include "codecs/PngReader.h"
#include "codecs/PhotoFinishing.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    gp::fuzz::QuietHost host;
    const gp::Allocator allocator(host, std::size_t(64) << 20);
    gp::ReadResult result = gp::decodePng({ data, size }, allocator);
    gp::finishPhoto(result, allocator, {});
    if (result.ok()) {
        volatile std::uint8_t sink = 0;
        for (int y = 0; y < result.image->height(); ++y)
            sink = sink ^ result.image->row(y)[result.image->rowSize() - 1];
    }
    return 0;
}
