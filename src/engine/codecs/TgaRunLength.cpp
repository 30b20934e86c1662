#include "codecs/TgaRunLength.h"

#include <algorithm>
#include <cstring>

namespace gp {

namespace {

constexpr std::size_t kLongestPacket = 128;

} // namespace

void encodeTgaRow(std::span<const std::uint8_t> row, std::size_t pixelSize, std::vector<std::uint8_t>& out)
{
    const std::size_t count = row.size() / pixelSize;
    const auto pixel = [&](std::size_t i) { return row.data() + i * pixelSize; };
    const auto same = [&](std::size_t a, std::size_t b) { return std::memcmp(pixel(a), pixel(b), pixelSize) == 0; };
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (run < kLongestPacket && i + run < count && same(i, i + run))
            ++run;
        if (run > 1) {
            out.push_back(std::uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), pixel(i), pixel(i) + pixelSize);
            i += run;
            continue;
        }
        // Literal pixels until the next pair of equal ones, which starts a run.
        std::size_t literal = 1;
        while (literal < kLongestPacket && i + literal < count
            && !(i + literal + 1 < count && same(i + literal, i + literal + 1)))
            ++literal;
        out.push_back(std::uint8_t(literal - 1));
        out.insert(out.end(), pixel(i), pixel(i + literal));
        i += literal;
    }
}

bool decodeTgaRow(ByteReader& in, std::size_t pixelSize, std::span<std::uint8_t> row)
{
    std::size_t filled = 0;
    while (filled < row.size()) {
        auto head = in.readU8();
        if (!head)
            return false;
        const std::size_t count = std::size_t(*head & 0x7F) + 1;
        const std::size_t fits = std::min(count * pixelSize, row.size() - filled);
        if (*head & 0x80) {
            auto value = in.readBytes(pixelSize);
            if (!value)
                return false;
            for (std::size_t i = 0; i < fits; ++i)
                row[filled + i] = (*value)[i % pixelSize];
        } else {
            auto values = in.readBytes(count * pixelSize);
            if (!values)
                return false;
            std::memcpy(row.data() + filled, values->data(), fits);
        }
        filled += fits;
    }
    return true;
}

} // namespace gp
