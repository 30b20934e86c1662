#pragma once
// The names, class ids and property ids of a FlashPix file: an "Image View" root holding one source
// image in "Data Object Store 000001", whose "\005Image Contents" property set describes the
// resolution levels stored as "Resolution nnnn" storages (0000 the smallest), each with a subimage
// header stream (size, tile table) and a data stream (the tiles).

#include "CompoundFile.h"

#include <cstdint>
#include <string>

namespace gp::fpx {

constexpr cfb::ClassId flashPixId(std::uint32_t first)
{
    return cfb::makeClassId(first, 0xC154, 0x11CE, { 0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B });
}

inline constexpr cfb::ClassId kImageViewClass = flashPixId(0x56616700);
inline constexpr cfb::ClassId kImageClass = flashPixId(0x56616000);
inline constexpr cfb::ClassId kResolutionClass = flashPixId(0x56616100);
inline constexpr cfb::ClassId kSubimageHeaderClass = flashPixId(0x00010000);
inline constexpr cfb::ClassId kSubimageDataClass = flashPixId(0x00010100);
inline constexpr cfb::ClassId kImageContentsFormat = flashPixId(0x56616400);
inline constexpr cfb::ClassId kGlobalInfoFormat = flashPixId(0x56616F00);
inline constexpr cfb::ClassId kDataObjectFormat = flashPixId(0x56616080);
inline constexpr cfb::ClassId kSummaryFormat
    = cfb::makeClassId(0xF29F85E0, 0x4FF9, 0x1068, { 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9 });

inline const std::string kImageStoreName = "Data Object Store 000001";
inline const std::string kImageContentsName = "\005Image Contents";
inline const std::string kSummaryName = "\005SummaryInformation";
inline const std::string kGlobalInfoName = "\005Global Info";
inline const std::string kDataObjectName = "\005Data Object 000001";
inline const std::string kHeaderStreamName = "Subimage 0000 Header";
inline const std::string kDataStreamName = "Subimage 0000 Data";

inline std::string resolutionName(int level)
{
    std::string digits = std::to_string(level);
    return "Resolution " + std::string(4 - std::min<std::size_t>(4, digits.size()), '0') + digits;
}

// Image Contents properties; per-level ones take the level number in bits 16-23.
inline constexpr std::uint32_t kPropLevelCount = 0x01000000;
inline constexpr std::uint32_t kPropFullWidth = 0x01000002;
inline constexpr std::uint32_t kPropFullHeight = 0x01000003;
inline constexpr std::uint32_t kPropDisplayHeight = 0x01000004;
inline constexpr std::uint32_t kPropDisplayWidth = 0x01000005;
inline constexpr std::uint32_t kPropDisplayUnits = 0x01000006;
inline constexpr std::uint32_t kPropLevelWidth = 0x02000000;
inline constexpr std::uint32_t kPropLevelHeight = 0x02000001;
inline constexpr std::uint32_t kPropLevelColor = 0x02000002;
inline constexpr std::uint32_t kPropLevelFormat = 0x02000003;
inline constexpr std::uint32_t kPropLevelDecimation = 0x02000004;
inline constexpr std::uint32_t kPropJpegTables = 0x03000001;
inline constexpr std::uint32_t kPropLastJpegTable = 0x03000002;
inline constexpr std::uint32_t levelProperty(std::uint32_t id, int level)
{
    return id | (std::uint32_t(level) << 16);
}

// Channel codes of the colour description: colour space in bits 16-30, channel in bits 0-15.
inline constexpr std::uint32_t kSpaceMonochrome = 1;
inline constexpr std::uint32_t kSpacePhotoYcc = 2;
inline constexpr std::uint32_t kSpaceRgb = 3;
inline constexpr std::uint32_t kOpacityChannel = 0x7FFE;

// Tile compression kinds.
inline constexpr std::uint32_t kTileUncompressed = 0;
inline constexpr std::uint32_t kTileSingleColor = 1;
inline constexpr std::uint32_t kTileJpeg = 2;

inline constexpr std::size_t kStreamHeaderSize = 28;
inline constexpr std::uint32_t kSampleFormatUnsigned8 = 17;

} // namespace gp::fpx
