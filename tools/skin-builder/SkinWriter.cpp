#include "SkinWriter.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <fstream>

namespace gp::skin {

namespace {

constexpr std::size_t kHeaderSize = 144;
constexpr std::size_t kEntrySize = 288;

} // namespace

std::vector<std::uint8_t> skinFileBytes(const std::vector<std::vector<EntryImage>>& pages)
{
    std::size_t count = 0;
    for (const auto& page : pages)
        count += page.size();
    std::vector<std::uint8_t> bytes(kHeaderSize + count * kEntrySize);
    std::copy_n("PALM", 4, bytes.begin());
    storeU32Le(&bytes[8], std::uint32_t(count));
    storeU32Le(&bytes[32], std::uint32_t(pages.size()));
    std::size_t index = 0;
    std::uint32_t dataOffset = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        storeU32Le(&bytes[36 + 4 * p], std::uint32_t(index));
        for (const EntryImage& entry : pages[p]) {
            std::uint8_t* e = &bytes[kHeaderSize + index * kEntrySize];
            storeU16Le(e + 152, std::uint16_t(entry.kind));
            storeU16Le(e + 156, std::uint16_t(entry.rect.left));
            storeU16Le(e + 158, std::uint16_t(entry.rect.top));
            storeU16Le(e + 160, std::uint16_t(entry.rect.width()));
            storeU16Le(e + 162, std::uint16_t(entry.rect.height()));
            storeU16Le(e + 166, std::uint16_t(entry.parameter));
            storeU32Le(e + 272, dataOffset);
            storeU32Le(e + 280, std::uint32_t(entry.packed.size()));
            dataOffset += std::uint32_t(entry.packed.size());
            ++index;
        }
    }
    for (const auto& page : pages)
        for (const EntryImage& entry : page)
            bytes.insert(bytes.end(), entry.packed.begin(), entry.packed.end());
    return bytes;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace gp::skin
