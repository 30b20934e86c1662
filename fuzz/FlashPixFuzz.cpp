// Feeds arbitrary bytes to the FlashPix reader, with a 64 MB ceiling on the picture.

#include "FlashPixReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)gp::fpx::readFlashPix({ data, size }, std::size_t(64) << 20);
    return 0;
}
