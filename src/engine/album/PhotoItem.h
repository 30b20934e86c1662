#pragma once
// One photo of an album: the 288-byte record of the album file (file size and time stamp, path,
// description, path kind, the photo's depth and size, the thumbnail's place, size and length,
// the selected flag) and the thumbnail itself, a packed 24-bit bitmap (40-byte header and
// bottom-up rows) kept exactly as read or made.

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

enum class PathKind : std::uint16_t {
    Absolute = 0,
    ProgramRelative = 1, // relative to the program folder
    CdDrive = 2, // absolute on the CD drive; the first character becomes the drive letter
    BaseRelative = 3, // relative to the base folder, which is the program folder
};

struct PhotoRecord {
    std::uint32_t fileSize = 0;
    std::uint32_t fileTime = 0; // seconds since 1970
    std::string path; // at most 127 characters in the file
    std::string description; // at most 127 characters in the file
    std::uint16_t pathKind = 0;
    std::uint16_t bitCount = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t thumbnailOffset = 0; // within the thumbnail area; set when the album is written
    std::uint16_t thumbnailWidth = 0;
    std::uint16_t thumbnailHeight = 0;
    std::uint32_t thumbnailLength = 0; // 40 + pixel bytes
    std::uint32_t selected = 0; // the low 16 bits count; 0 in a written file

    friend bool operator==(const PhotoRecord&, const PhotoRecord&) = default;
};

struct PhotoItem {
    PhotoRecord record;
    std::vector<std::uint8_t> thumbnail;

    bool isSelected() const { return (record.selected & 0xFFFF) != 0; }
    void setSelected(bool on) { record.selected = on ? 1 : 0; }
};

} // namespace gp
