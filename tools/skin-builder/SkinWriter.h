#pragma once
// Writes the skin files the program reads: a skin is the "PALM" header with its
// page starts, the 288-byte entry table and the packed bitmaps of the entries.

#include "base/Geometry.h"
#include "image/Image.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace gp::skin {

struct EntryImage {
    int kind = 0;
    Rect rect;
    int parameter = 0;
    std::vector<std::uint8_t> packed; // header, colour table and rows
};

// One vector of entries per page.
std::vector<std::uint8_t> skinFileBytes(const std::vector<std::vector<EntryImage>>& pages);

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace gp::skin
