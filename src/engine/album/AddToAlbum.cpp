#include "album/AddToAlbum.h"

#include "album/AlbumFile.h"
#include "album/Thumbnail.h"
#include "album/ThumbnailPrefetch.h"
#include "image/Allocator.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

constexpr std::size_t kInfoNameChars = 32;

void warn(Host& host, StringId id)
{
    host.message(text(StringId::CaptionWarning), text(id), Icon::Warning);
}

std::string absoluteName(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The record keeps at most 127 characters of a path; a longer one would name another file.
bool fitsRecord(const std::string& path)
{
    return path.size() < kAlbumTextSize;
}

} // namespace

std::string shortenedFileName(const std::string& path)
{
    if (path.size() <= kInfoNameChars)
        return path;
    return "..." + path.substr(path.size() - (kInfoNameChars - 3));
}

AddOutcome addFileToAlbum(
    AlbumList& album, const std::string& givenPath, const AlbumAdder& adder, std::optional<PhotoItem> prepared)
{
    Host& host = adder.allocator.host();
    const std::string path = absoluteName(givenPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        warn(host, StringId::CannotLocateFile);
        return AddOutcome::Missing;
    }
    if (album.contains(path))
        return AddOutcome::Duplicate;
    if (album.isFull()) {
        warn(host, StringId::AlbumFull);
        return AddOutcome::Full;
    }
    if (!fitsRecord(path)) {
        warn(host, StringId::PhotoPathTooLong);
        return AddOutcome::PathTooLong;
    }
    if (adder.showInfo)
        adder.showInfo(std::string(text(StringId::ProgressProcessing)) + shortenedFileName(path));
    if (prepared && prepared->record.path == path) {
        album.append(std::move(*prepared));
        return AddOutcome::Added;
    }
    const std::optional<Image> photo = adder.read ? adder.read(path) : std::nullopt;
    if (!photo || photo->width() <= 0 || photo->height() <= 0)
        return AddOutcome::Unreadable;
    std::optional<PhotoItem> item = makeThumbnail(*photo, path, adder.allocator);
    if (!item)
        return AddOutcome::Unreadable;
    album.append(std::move(*item));
    return AddOutcome::Added;
}

int addFilesToAlbum(
    AlbumList& album, const std::vector<std::string>& paths, const AlbumAdder& adder, std::vector<AddOutcome>* outcomes)
{
    std::vector<std::string> absolute;
    absolute.reserve(paths.size());
    for (const std::string& path : paths)
        absolute.push_back(absoluteName(path));
    ThumbnailPrefetch prefetch(absolute, adder.allocator.ceiling(), adder.prefetchWorkers);
    int added = 0;
    for (std::size_t i = 0; i < absolute.size(); ++i) {
        if (adder.abortRequested && adder.abortRequested())
            break;
        const AddOutcome outcome = addFileToAlbum(album, absolute[i], adder, prefetch.take(i));
        if (outcomes)
            outcomes->push_back(outcome);
        if (adder.progress)
            adder.progress(int(i + 1), int(absolute.size()));
        if (outcome == AddOutcome::Added)
            ++added;
        else if (outcome == AddOutcome::Full)
            break;
    }
    return added;
}

AddOutcome addImageToAlbum(const std::filesystem::path& albumFile, const Image& photo, const std::string& givenPath,
    const std::filesystem::path& programDir, const Allocator& allocator, StatusLine* status)
{
    Host& host = allocator.host();
    const std::string path = absoluteName(givenPath);
    AlbumList album;
    std::error_code error;
    if (!loadAlbum(album, albumFile, programDir, allocator, status) && album.isEmpty()
        && std::filesystem::exists(albumFile, error))
        return AddOutcome::AlbumUnreadable; // saving now would replace the album by one photo
    if (album.isFull()) {
        warn(host, StringId::AlbumFull);
        return AddOutcome::Full;
    }
    if (album.contains(path))
        return AddOutcome::Duplicate;
    if (!fitsRecord(path)) {
        warn(host, StringId::PhotoPathTooLong);
        return AddOutcome::PathTooLong;
    }
    std::optional<PhotoItem> item = makeThumbnail(photo, path, allocator);
    if (!item)
        return AddOutcome::Unreadable;
    album.append(std::move(*item));
    return saveAlbum(album, albumFile, host, status) ? AddOutcome::Added : AddOutcome::NotSaved;
}

} // namespace gp
