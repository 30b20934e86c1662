// Feeds arbitrary bytes to the JPEG reader through a stream over memory, with a 64 MiB ceiling
// on the image block and on the library's own memory, then applies the orientation tag and the
// colour profile it found as the dispatcher does.

#include "QuietHost.h"
#include "codecs/JpegReader.h"
#include "codecs/PhotoFinishing.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream)
        return 0;
    gp::fuzz::QuietHost host;
    const gp::Allocator allocator(host, std::size_t(64) << 20);
    gp::ReadResult result = gp::decodeJpeg(stream, allocator);
    std::fclose(stream);
    gp::finishPhoto(result, allocator, {});
    if (result.ok()) {
        volatile std::uint8_t sink = 0;
        for (int y = 0; y < result.image->height(); ++y)
            sink = sink ^ result.image->row(y)[result.image->rowSize() - 1];
    }
    return 0;
}
