#include "album/SlideList.h"

#include "album/AlbumFormat.h"
#include "album/PhotoPath.h"

#include <array>
#include <fstream>

namespace gp {

Result<std::vector<Slide>> readSlideList(
    const std::filesystem::path& albumFile, const std::filesystem::path& programDir)
{
    std::ifstream in(albumFile, std::ios::binary);
    if (!in)
        return makeError(ErrorKind::Io, "cannot open " + albumFile.string());
    std::array<std::uint8_t, kAlbumHeaderSize> head {};
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    auto header = decodeAlbumHeader(std::span(head.data(), std::size_t(in.gcount())));
    if (!header)
        return header.error();
    std::vector<Slide> slides;
    std::array<std::uint8_t, kPhotoRecordSize> raw {};
    for (std::uint32_t i = 0; i < header->count; ++i) {
        in.read(reinterpret_cast<char*>(raw.data()), std::streamsize(raw.size()));
        if (std::size_t(in.gcount()) < raw.size())
            break;
        const PhotoRecord record = decodePhotoRecord(raw);
        const std::uint16_t kind
            = record.pathKind == std::uint16_t(PathKind::ProgramRelative) ? record.pathKind : std::uint16_t(0);
        slides.push_back(Slide { absolutePhotoPath(record.path, kind, programDir), record.description });
    }
    return slides;
}

} // namespace gp
