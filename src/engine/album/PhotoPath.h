#pragma once
// Paths of album photos. Records may hold a path relative to the program folder (kinds 1 and
// 3) or on the CD drive (kind 2); in memory every path is absolute (kind 0). Names stored by
// the program's other editions use "\" as the folder separator, which is taken as "/".

#include "album/PhotoItem.h"

#include <filesystem>
#include <string>

namespace gp {

// The absolute form of a stored path of the given kind. An unknown kind is taken as absolute.
std::string absolutePhotoPath(const std::string& stored, std::uint16_t kind, const std::filesystem::path& programDir);

// Two photo paths name the same file when they match without regard to letter case.
bool samePhotoPath(const std::string& a, const std::string& b);

} // namespace gp
