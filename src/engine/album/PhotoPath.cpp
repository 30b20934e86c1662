#include "album/PhotoPath.h"

#include "shell/Paths.h"

#include <algorithm>
#include <cctype>

namespace gp {

std::string absolutePhotoPath(const std::string& stored, std::uint16_t kind, const std::filesystem::path& programDir)
{
    switch (PathKind(kind)) {
    case PathKind::ProgramRelative:
    case PathKind::BaseRelative: {
        std::string relative = storedPath(stored).string();
        relative.erase(0, relative.find_first_not_of('/'));
        return (programDir / relative).string();
    }
    case PathKind::CdDrive: {
        // The CD drive has no setting of its own, so the default drive "d" always applies.
        std::string path = storedPath(stored).string();
        if (!path.empty())
            path[0] = 'd';
        return path;
    }
    case PathKind::Absolute: break;
    }
    return storedPath(stored).string();
}

bool samePhotoPath(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace gp
