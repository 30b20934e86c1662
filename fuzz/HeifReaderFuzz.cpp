// Feeds arbitrary bytes to the HEIF reader with a 64 MiB block ceiling, then turns the picture
// upright and applies its colour profile as the dispatcher does; the container's transform
// boxes are also read on their own, since the reader reads them only after a decoded picture.

#include "QuietHost.h"
#include "codecs/HeifContainer.h"
#include "codecs/HeifReader.h"
#include "codecs/PhotoFinishing.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    volatile int orientation = gp::heifContainerOrientation({ data, size });
    (void)orientation;
    gp::fuzz::QuietHost host;
    const gp::Allocator allocator(host, std::size_t(64) << 20);
    gp::ReadResult result = gp::decodeHeif({ data, size }, allocator);
    gp::finishPhoto(result, allocator, {});
    if (result.ok()) {
        volatile std::uint8_t sink = 0;
        for (int y = 0; y < result.image->height(); ++y)
            sink = sink ^ result.image->row(y)[result.image->rowSize() - 1];
    }
    return 0;
}
