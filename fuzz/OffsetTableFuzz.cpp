// Feeds arbitrary bytes to the frame offset-table reader and reads every entry back.

#include "editing/workflow/OffsetTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const gp::OffsetTable table
        = gp::OffsetTable::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    long sum = 0;
    for (int cell = -1; cell <= gp::kOffsetEntries; ++cell)
        sum += table.at(cell).x + table.at(cell).y;
    // Every value is held within a million either way.
    if (std::labs(sum) > 2L * 1000000 * (gp::kOffsetEntries + 2))
        std::abort();
    return 0;
}
