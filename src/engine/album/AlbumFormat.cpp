#include "album/AlbumFormat.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace gp {

namespace {

constexpr std::uint8_t kMagic[4] = { 'P', 'A', 'L', 'M' };

// Record field offsets.
enum : std::size_t {
    kFileSize = 0,
    kFileTime = 4,
    kPath = 8,
    kDescription = 136,
    kPathKind = 264,
    kBitCount = 266,
    kWidth = 268,
    kHeight = 270,
    kThumbOffset = 272,
    kThumbWidth = 276,
    kThumbHeight = 278,
    kThumbLength = 280,
    kSelected = 284,
};

// A zero-terminated text field; a field without its zero keeps its first 127 characters, as
// the program never writes more.
std::string readText(const std::uint8_t* field)
{
    const auto* end = std::find(field, field + kAlbumTextSize - 1, std::uint8_t(0));
    return std::string(reinterpret_cast<const char*>(field), std::size_t(end - field));
}

void writeText(std::uint8_t* field, const std::string& text)
{
    std::memset(field, 0, kAlbumTextSize);
    std::memcpy(field, text.data(), std::min(text.size(), kAlbumTextSize - 1));
}

} // namespace

Result<AlbumHeader> decodeAlbumHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kAlbumHeaderSize)
        return makeError(ErrorKind::Truncated, "album: header is shorter than 144 bytes");
    if (!std::equal(kMagic, kMagic + 4, bytes.begin()))
        return makeError(ErrorKind::Malformed, "album: no PALM signature");
    AlbumHeader header;
    header.totalLength = loadU32Le(&bytes[4]);
    header.count = loadU32Le(&bytes[8]);
    header.thumbnailAreaOffset = loadU32Le(&bytes[12]);
    header.description = readText(&bytes[16]);
    return header;
}

PhotoRecord decodePhotoRecord(std::span<const std::uint8_t, kPhotoRecordSize> bytes)
{
    const std::uint8_t* p = bytes.data();
    PhotoRecord r;
    r.fileSize = loadU32Le(p + kFileSize);
    r.fileTime = loadU32Le(p + kFileTime);
    r.path = readText(p + kPath);
    r.description = readText(p + kDescription);
    r.pathKind = loadU16Le(p + kPathKind);
    r.bitCount = loadU16Le(p + kBitCount);
    r.width = loadU16Le(p + kWidth);
    r.height = loadU16Le(p + kHeight);
    r.thumbnailOffset = loadU32Le(p + kThumbOffset);
    r.thumbnailWidth = loadU16Le(p + kThumbWidth);
    r.thumbnailHeight = loadU16Le(p + kThumbHeight);
    r.thumbnailLength = loadU32Le(p + kThumbLength);
    r.selected = loadU32Le(p + kSelected);
    return r;
}

void encodePhotoRecord(const PhotoRecord& r, std::span<std::uint8_t, kPhotoRecordSize> out)
{
    std::uint8_t* p = out.data();
    std::memset(p, 0, kPhotoRecordSize);
    storeU32Le(p + kFileSize, r.fileSize);
    storeU32Le(p + kFileTime, r.fileTime);
    writeText(p + kPath, r.path);
    writeText(p + kDescription, r.description);
    storeU16Le(p + kPathKind, r.pathKind);
    storeU16Le(p + kBitCount, r.bitCount);
    storeU16Le(p + kWidth, r.width);
    storeU16Le(p + kHeight, r.height);
    storeU32Le(p + kThumbOffset, r.thumbnailOffset);
    storeU16Le(p + kThumbWidth, r.thumbnailWidth);
    storeU16Le(p + kThumbHeight, r.thumbnailHeight);
    storeU32Le(p + kThumbLength, r.thumbnailLength);
    storeU32Le(p + kSelected, r.selected);
}

std::vector<std::uint8_t> encodeAlbum(const std::string& description, const std::vector<PhotoItem>& photos)
{
    const std::size_t n = photos.size();
    std::size_t thumbnails = 0;
    for (const PhotoItem& item : photos)
        thumbnails += item.thumbnail.size();
    const std::size_t tableEnd = kAlbumHeaderSize + kPhotoRecordSize * n;
    std::vector<std::uint8_t> out(tableEnd + thumbnails);

    std::uint8_t* header = out.data();
    std::copy(kMagic, kMagic + 4, header);
    storeU32Le(header + 4, std::uint32_t(out.size()));
    storeU32Le(header + 8, std::uint32_t(n));
    storeU32Le(header + 12, std::uint32_t(tableEnd));
    writeText(header + 16, description);

    std::size_t offset = 0;
    for (std::size_t i = 0; i < n; ++i) {
        PhotoRecord record = photos[i].record;
        record.thumbnailOffset = std::uint32_t(offset);
        record.thumbnailLength = std::uint32_t(photos[i].thumbnail.size());
        record.selected = 0;
        encodePhotoRecord(record,
            std::span<std::uint8_t, kPhotoRecordSize>(
                out.data() + kAlbumHeaderSize + kPhotoRecordSize * i, kPhotoRecordSize));
        std::copy(
            photos[i].thumbnail.begin(), photos[i].thumbnail.end(), out.begin() + std::ptrdiff_t(tableEnd + offset));
        offset += photos[i].thumbnail.size();
    }
    return out;
}

Result<DecodedAlbum> decodeAlbum(std::span<const std::uint8_t> bytes, std::size_t maxThumbnail)
{
    auto header = decodeAlbumHeader(bytes);
    if (!header)
        return header.error();
    DecodedAlbum album;
    album.header = std::move(*header);
    const std::uint32_t wanted = std::min<std::uint32_t>(album.header.count, kMaxAlbumPhotos);
    const std::uint64_t area = thumbnailAreaStart(album.header.count);

    ByteReader in(bytes);
    for (std::uint32_t i = 0; i < wanted; ++i) {
        if (!in.seek(kAlbumHeaderSize + kPhotoRecordSize * std::size_t(i)))
            return album;
        auto raw = in.readBytes(kPhotoRecordSize);
        if (!raw)
            return album;
        PhotoItem item;
        item.record = decodePhotoRecord(raw->first<kPhotoRecordSize>());
        if (item.record.thumbnailLength > maxThumbnail) {
            album.thumbnailTooLarge = true;
            return album;
        }
        const std::uint64_t at = area + item.record.thumbnailOffset;
        if (at > bytes.size() || !in.seek(std::size_t(at)))
            return album;
        auto thumbnail = in.readBytes(item.record.thumbnailLength);
        if (!thumbnail)
            return album;
        item.thumbnail.assign(thumbnail->begin(), thumbnail->end());
        album.photos.push_back(std::move(item));
    }
    album.complete = true;
    return album;
}

} // namespace gp
