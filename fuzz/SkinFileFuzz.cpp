// Feeds arbitrary bytes to the skin file reader: every page and every entry's picture.

#include "skin/SkinFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto skin = gp::ui::SkinFile::parse(std::vector<std::uint8_t>(data, data + size));
    if (!skin)
        return 0;
    volatile int sink = 0;
    for (int page = 0; page < skin->pageCount(); ++page)
        for (const gp::ui::SkinEntry& entry : skin->page(page))
            if (auto image = skin->image(entry))
                sink = sink + image->width();
    return 0;
}
