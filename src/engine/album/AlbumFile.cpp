#include "album/AlbumFile.h"

#include "album/AlbumProgress.h"
#include "album/PhotoPath.h"
#include "base/AtomicFile.h"
#include "image/Allocator.h"

#include <fstream>
#include <new>

namespace gp {

namespace {

// The whole file, read piece by piece; nothing on an abort, a read error or a file larger
// than limit bytes.
std::optional<std::vector<std::uint8_t>> readInPieces(
    const std::filesystem::path& path, std::size_t limit, AlbumProgress& progress)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > limit)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(kAlbumHeaderSize);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    if (!decodeAlbumHeader(bytes))
        return std::nullopt;
    bytes.resize(std::size_t(size));
    std::size_t done = kAlbumHeaderSize;
    while (done < bytes.size()) {
        if (progress.abortRequested())
            return std::nullopt;
        const std::size_t piece = std::min(kAlbumPieceSize, bytes.size() - done);
        in.read(reinterpret_cast<char*>(bytes.data() + done), std::streamsize(piece));
        done += std::size_t(in.gcount());
        progress.report(done, bytes.size());
        if (std::size_t(in.gcount()) < piece)
            break; // the file shrank while being read
    }
    bytes.resize(done);
    progress.report(bytes.size(), bytes.size());
    return bytes;
}

} // namespace

bool loadAlbum(AlbumList& album, const std::filesystem::path& path, const std::filesystem::path& programDir,
    const Allocator& allocator)
{
    album.clear();
    AlbumProgress progress(allocator.host(), AlbumProgressKind::Reading);
    try {
        const auto bytes = readInPieces(path, allocator.ceiling(), progress);
        if (!bytes)
            return false;
        // An item is its record, its thumbnail and the spare bytes every block carries.
        const std::size_t overhead = kPhotoRecordSize + kBlockSpareBytes;
        const std::size_t maxThumbnail = allocator.ceiling() > overhead ? allocator.ceiling() - overhead : 0;
        auto decoded = decodeAlbum(*bytes, maxThumbnail);
        if (!decoded)
            return false;
        album.setDescription(decoded->header.description);
        for (PhotoItem& item : decoded->photos) {
            item.record.path = absolutePhotoPath(item.record.path, item.record.pathKind, programDir);
            item.record.pathKind = std::uint16_t(PathKind::Absolute);
            album.photos().push_back(std::move(item));
        }
        if (decoded->thumbnailTooLarge)
            allocator.reportOutOfMemory();
        album.setModified(false);
        return decoded->complete;
    } catch (const std::bad_alloc&) {
        allocator.reportOutOfMemory();
        album.setModified(false);
        return false;
    }
}

bool saveAlbum(AlbumList& album, const std::filesystem::path& path, Host& host)
{
    if (album.isEmpty())
        return false;
    AlbumProgress progress(host, AlbumProgressKind::Saving);
    const std::vector<std::uint8_t> bytes = encodeAlbum(album.description(), album.photos());
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    const auto written = writeFileAtomically(path, bytes, kAlbumPieceSize, [&](std::size_t done) {
        if (done > 0)
            progress.report(done, bytes.size());
        return !progress.abortRequested();
    });
    if (!written)
        return false;
    progress.report(bytes.size(), bytes.size());
    album.setModified(false);
    return true;
}

} // namespace gp
