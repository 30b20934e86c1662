#pragma once
// The photos of a slide show, read from an album file: each photo's path (made absolute when
// its record says it is relative to the program folder) and description. Only the header and
// the records are read; the reading stops early at a short record.

#include "base/Result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gp {

struct Slide {
    std::string path;
    std::string caption;
};

// Fails when the file cannot be opened or is not an album; an album without a readable
// record gives an empty list.
Result<std::vector<Slide>> readSlideList(
    const std::filesystem::path& albumFile, const std::filesystem::path& programDir);

} // namespace gp
