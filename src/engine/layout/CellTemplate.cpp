#include "layout/CellTemplate.h"

#include <algorithm>
#include <cstring>

namespace gp {

void CellTemplate::writeRecord(std::vector<std::uint8_t>& out) const
{
    const std::size_t start = out.size();
    out.resize(start + kRecordSize, 0);
    std::uint8_t* p = out.data() + start;
    std::memcpy(p, name.data(), std::min(name.size(), kNameBytes - 1));
    const std::size_t count = std::min<std::size_t>(cells.size(), kMaxCells);
    storeU32Le(p + 256, std::uint32_t(count));
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* r = p + 260 + 16 * i;
        storeU32Le(r, std::uint32_t(cells[i].left));
        storeU32Le(r + 4, std::uint32_t(cells[i].top));
        storeU32Le(r + 8, std::uint32_t(cells[i].right));
        storeU32Le(r + 12, std::uint32_t(cells[i].bottom));
    }
}

Result<CellTemplate> CellTemplate::readRecord(ByteReader& in)
{
    auto bytes = in.readBytes(kRecordSize);
    if (!bytes)
        return bytes.error();
    const std::uint8_t* p = bytes->data();
    CellTemplate t;
    const auto* nameBytes = reinterpret_cast<const char*>(p);
    t.name.assign(nameBytes, strnlen(nameBytes, kNameBytes - 1));
    const auto count = std::int32_t(loadU32Le(p + 256));
    if (count < 1 || count > kMaxCells)
        return makeError(ErrorKind::Malformed, "template with " + std::to_string(count) + " cells");
    // Cells are in thousandths of an inch. A damaged file may hold any number; held within a few
    // metres of paper, the page arithmetic (turns for landscape, scaling to the printer) cannot
    // overflow, and every real template keeps its values.
    const auto coordinate = [](const std::uint8_t* at) {
        return std::clamp(std::int32_t(loadU32Le(at)), -kMaxCoordinate, kMaxCoordinate);
    };
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* r = p + 260 + 16 * i;
        t.cells.push_back({coordinate(r), coordinate(r + 4), coordinate(r + 8), coordinate(r + 12)});
    }
    return t;
}

} // namespace gp
