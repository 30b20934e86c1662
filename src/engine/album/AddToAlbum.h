#pragma once
// Adding photos to albums: one file to the open album (with the album window's messages, the
// duplicate test and the 5000-photo limit), many files in a row, and the active photo to an
// album chosen from the general family without disturbing the open one.

#include "album/AlbumList.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gp {

class Allocator;
class Host;
class Image;
class StatusLine;

// Reads a photo file as the file opener does for albums (Photo CD files at the thumbnail
// resolution, no options dialog, no read-failure message); nothing when it cannot.
using PhotoFileReader = std::function<std::optional<Image>(const std::string& path)>;

enum class AddOutcome { Added, Missing, Duplicate, Full, Unreadable, PathTooLong, AlbumUnreadable, NotSaved };

struct AlbumAdder {
    const Allocator& allocator;
    PhotoFileReader read;
    // The album window's information line; may be empty.
    std::function<void(std::string_view)> showInfo = {};
    // For batches: asked before each file, true stops the batch (Escape); may be empty.
    std::function<bool()> abortRequested = {};
    // For batches: called after each file with the number done and the total; may be empty.
    std::function<void(int done, int total)> progress = {};
    // For batches: threads that make JPEG thumbnails ahead of the album (0: none).
    int prefetchWorkers = 0;
};

// The file name as the information line shows it: at most 32 characters, the end kept.
std::string shortenedFileName(const std::string& path);

// Adds one file: "Can not locate the file." when it does not exist, nothing when the album has
// it already, the limit message when the album is full, else "  Processing: " with the name on
// the information line, then the file is read and its thumbnail appended.
// A prepared item (made ahead from the same file) is used instead of reading the file again.
AddOutcome addFileToAlbum(
    AlbumList& album, const std::string& path, const AlbumAdder& adder, std::optional<PhotoItem> prepared = {});

// Adds each file in turn, in the order given, and stops at the first one refused for the limit
// or when the abort test says so; returns how many were added. With prefetch workers, JPEG
// files are decoded ahead on other threads. outcomes, when given, receives one per file tried.
int addFilesToAlbum(AlbumList& album, const std::vector<std::string>& paths, const AlbumAdder& adder,
    std::vector<AddOutcome>* outcomes = nullptr);

// Adds a photo already in memory (read from photoPath) to the album file albumFile and saves
// it: the limit message when the album is full, nothing when it holds the file already.
// Progress goes to status when given.
AddOutcome addImageToAlbum(const std::filesystem::path& albumFile, const Image& photo, const std::string& photoPath,
    const std::filesystem::path& programDir, const Allocator& allocator, StatusLine* status = nullptr);

} // namespace gp
