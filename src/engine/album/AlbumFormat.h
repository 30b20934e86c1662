#pragma once
// The album file (.abm), little-endian: a 144-byte header ("PALM", total length, photo count,
// offset of the thumbnail area, a 128-byte description), one 288-byte record per photo, then
// the thumbnails one after another in record order. A record's thumbnail offset counts from
// the start of the thumbnail area, which begins right after the record table.

#include "album/PhotoItem.h"
#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gp {

inline constexpr std::size_t kAlbumHeaderSize = 144;
inline constexpr std::size_t kPhotoRecordSize = 288;
inline constexpr std::size_t kAlbumTextSize = 128; // description and path fields, with their zero
inline constexpr int kMaxAlbumPhotos = 5000;

struct AlbumHeader {
    std::uint32_t totalLength = 0;
    std::uint32_t count = 0; // as stored; readers take at most kMaxAlbumPhotos
    std::uint32_t thumbnailAreaOffset = 0;
    std::string description;
};

// Fails with Truncated for fewer than 144 bytes and Malformed without the magic.
Result<AlbumHeader> decodeAlbumHeader(std::span<const std::uint8_t> bytes);
// Reads a record from 288 bytes (the caller checks the length).
PhotoRecord decodePhotoRecord(std::span<const std::uint8_t, kPhotoRecordSize> bytes);
void encodePhotoRecord(const PhotoRecord& record, std::span<std::uint8_t, kPhotoRecordSize> out);

// Where the thumbnail area starts for a stored count; 64-bit so a hostile count cannot wrap.
inline std::uint64_t thumbnailAreaStart(std::uint64_t count)
{
    return kAlbumHeaderSize + kPhotoRecordSize * count;
}

// The whole file for a description and photos: records with their thumbnail offsets set to the
// running sum of the thumbnail lengths before them and the selected flag cleared.
std::vector<std::uint8_t> encodeAlbum(const std::string& description, const std::vector<PhotoItem>& photos);

// What an album file holds as far as it can be read: photos until the first record or thumbnail
// that lies past the end of the data (or is larger than maxThumbnail bytes), and whether every
// record counted (at most kMaxAlbumPhotos) was read.
struct DecodedAlbum {
    AlbumHeader header;
    std::vector<PhotoItem> photos;
    bool complete = false;
    bool thumbnailTooLarge = false; // loading stopped at a thumbnail above maxThumbnail
};
Result<DecodedAlbum> decodeAlbum(std::span<const std::uint8_t> bytes, std::size_t maxThumbnail);

} // namespace gp
