#include "album/PhotoProperties.h"

#include "album/AlbumFormat.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>

namespace gp {

namespace {

struct PathParts {
    std::string folder; // with its separator
    std::string stem;
    std::string extension; // without the dot
};

PathParts split(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    PathParts parts;
    parts.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    parts.stem = dot == std::string::npos ? name : name.substr(0, dot);
    parts.extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    return parts;
}

std::string format(StringId id, auto... values)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, std::string(text(id)).c_str(), values...);
    return buffer;
}

} // namespace

PhotoPropertiesText photoPropertiesText(const PhotoRecord& record)
{
    const PathParts parts = split(record.path);
    PhotoPropertiesText t;
    t.name = parts.stem;
    t.location = parts.folder;
    std::transform(t.location.begin(), t.location.end(), t.location.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    t.type = parts.extension;
    std::transform(
        t.type.begin(), t.type.end(), t.type.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    t.size = format(StringId::PropertiesSizeFormat, double(record.fileSize) / 1024.0);
    struct stat status { };
    if (::stat(record.path.c_str(), &status) == 0) {
        std::tm local {};
        const std::time_t when = status.st_mtime;
        localtime_r(&when, &local);
        t.modified = format(StringId::PropertiesDateFormat, local.tm_hour / 10, local.tm_hour % 10, local.tm_min / 10,
            local.tm_min % 10, local.tm_sec / 10, local.tm_sec % 10, (local.tm_mon + 1) / 10, (local.tm_mon + 1) % 10,
            local.tm_mday / 10, local.tm_mday % 10, local.tm_year + 1900);
    }
    t.format = format(StringId::PropertiesPhotoFormat, int(record.width), int(record.height), int(record.bitCount));
    return t;
}

RenameOutcome renamePhotoFile(PhotoRecord& record, const std::string& newName)
{
    const PathParts parts = split(record.path);
    if (newName == parts.stem)
        return RenameOutcome::Unchanged;
    if (newName.empty() || newName.find_first_of("/\\") != std::string::npos)
        return RenameOutcome::Failed;
    const std::string target = parts.folder + newName + (parts.extension.empty() ? "" : "." + parts.extension);
    if (target.size() >= kAlbumTextSize)
        return RenameOutcome::Failed;
    std::error_code error;
    if (std::filesystem::exists(target, error))
        return RenameOutcome::Exists;
    std::filesystem::rename(record.path, target, error);
    if (error)
        return RenameOutcome::Failed;
    record.path = target;
    return RenameOutcome::Renamed;
}

} // namespace gp
