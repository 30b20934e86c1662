#pragma once
// The first image file directory of a TIFF file: the byte order, then the tags the reader uses,
// each checked against the file before it is trusted. Offsets and counts of the strip tables and
// the colour map are read here; the strips themselves are left to the reader.
//
// Fails (Malformed) for a file without the "II"/"MM" byte-order mark, a directory of more than
// 26 entries or one that lies outside the file; Truncated when a table runs past the end.

#include "base/ByteSource.h"

#include <cstdint>
#include <vector>

namespace gp {

inline constexpr int kTiffMaxEntries = 26;

namespace tiff {
inline constexpr std::uint16_t kImageWidth = 256, kImageLength = 257, kBitsPerSample = 258, kCompression = 259,
                               kPhotometric = 262, kThresholding = 263, kDocumentName = 269, kMake = 271,
                               kStripOffsets = 273, kSamplesPerPixel = 277, kRowsPerStrip = 278, kStripByteCounts = 279,
                               kXResolution = 282, kYResolution = 283, kPlanarConfiguration = 284,
                               kResolutionUnit = 296, kPredictor = 317, kColorMap = 320,
                               kOrientation = 274, kIccProfile = 34675;
inline constexpr std::uint16_t kAscii = 2, kShort = 3, kLong = 4, kRational = 5;
inline constexpr std::uint32_t kNoCompression = 1, kLzw = 5;
inline constexpr std::uint32_t kWhiteIsZero = 0, kBlackIsZero = 1, kRgb = 2, kPalette = 3;
inline constexpr std::uint32_t kInch = 2, kCentimetre = 3;
inline constexpr std::uint32_t kHorizontalDifferencing = 2;
} // namespace tiff

struct TiffDirectory {
    bool bigEndian = false;
    std::uint32_t width = 0; // 0 when the tag is missing
    std::uint32_t height = 0;
    std::uint32_t bitsPerSample = 1;
    std::uint32_t samplesPerPixel = 1;
    std::uint32_t compression = tiff::kNoCompression;
    std::uint32_t photometric = tiff::kBlackIsZero;
    bool cameraYcc = false; // the camera maker's two-pixels-in-four-bytes YCbCr rows
    std::vector<std::uint32_t> stripOffsets;
    std::vector<std::uint32_t> stripByteCounts; // empty when the file has none
    std::uint32_t rowsPerStrip = 0; // 0 when the tag is missing
    std::uint16_t xResolution = 0; // whole units, kept in 16 bits
    std::uint16_t yResolution = 0;
    std::uint32_t resolutionUnit = tiff::kInch;
    std::uint32_t predictor = 1;
    std::uint32_t planarConfiguration = 1;
    bool hasColorMap = false;
    std::uint32_t colorMapOffset = 0;
    std::uint32_t colorMapCount = 0; // 16-bit values: reds, greens, blues
    std::uint32_t orientation = 1; // the orientation tag as stored; the reader checks its range
    std::uint32_t iccProfileOffset = 0; // the embedded colour profile's bytes, when iccProfileSize > 0
    std::uint32_t iccProfileSize = 0;

    std::uint32_t bitCount() const { return bitsPerSample * samplesPerPixel; }
};

Result<TiffDirectory> readTiffDirectory(const ByteSource& source);

// A TIFF 16- or 32-bit value in the file's byte order.
inline std::uint16_t loadTiffU16(const std::uint8_t* p, bool bigEndian)
{
    return std::uint16_t(bigEndian ? (p[0] << 8) | p[1] : p[0] | (p[1] << 8));
}
inline std::uint32_t loadTiffU32(const std::uint8_t* p, bool bigEndian)
{
    return bigEndian
        ? (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3]
        : std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

} // namespace gp
