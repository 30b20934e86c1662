// Feeds arbitrary bytes to the packed-bitmap reader used for the clipboard and the libraries.

#include "image/Image.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto image = gp::Image::fromPacked({data, size}, std::size_t(64) << 20);
    if (image) {
        volatile std::uint8_t sink = 0;
        for (int y = 0; y < image->height(); ++y)
            sink = sink ^ image->row(y)[image->rowSize() - 1];
    }
    return 0;
}
