// Feeds arbitrary bytes to the compound-file reader: open, look a name up, read every stream.

#include "CompoundFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto file = gp::cfb::CompoundFileReader::open({ data, size });
    if (!file)
        return 0;
    (void)file->findChild(file->rootId(), "Data Object Store 000001");
    for (std::uint32_t id = 0; id < 256; ++id)
        (void)file->readStream(id);
    return 0;
}
