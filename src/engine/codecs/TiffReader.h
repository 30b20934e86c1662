#pragma once
// Reads the first image of a TIFF file in either byte order: uncompressed or LZW strips (with or
// without StripByteCounts, LZW with or without horizontal differencing), bilevel pixels of
// either photometric, 4- and 8-bit palette and grayscale pixels, 24-bit RGB, and the camera
// maker's YCbCr rows, which become 24-bit. Rows are decoded straight into the image block. The
// orientation tag and the embedded ICC profile are handed on for the dispatcher to apply.
//
// Answers: cannot read when the file cannot be opened; no image for everything else that fails
// (no byte-order mark, too many directory entries, unknown depth or compression, a palette file
// without its colour map, strips outside the file, sizes beyond the image limits), and when the
// allocator refuses the block (it has then said so). Never "not this format".

#include "base/ByteSource.h"
#include "base/WorkerPool.h"
#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

// How the strips are decoded. The picture is the same either way.
struct TiffDecoding {
    // Strips are spread over these threads; none: all on the calling thread. Reading has no
    // progress display, so the workers need nothing from the user.
    WorkerPool* workers = nullptr;
    // Every strip read row by row, one file read per uncompressed row and LZW through the plain
    // decoder, instead of the faster roads: the reference those are checked against.
    bool rowByRow = false;
    // Coded bytes read from the file at a time for a strip longer than this, so a file written
    // as one strip is not held whole beside its picture.
    std::size_t codeWindow = std::size_t(256) << 10;
};

ReadResult readTiffFile(const std::string& path, const Allocator& allocator, const TiffDecoding& decoding = {});
ReadResult decodeTiff(const ByteSource& source, const Allocator& allocator, const TiffDecoding& decoding = {});
ReadResult decodeTiff(std::span<const std::uint8_t> file, const Allocator& allocator, const TiffDecoding& decoding = {});

// Pixels per metre of a resolution in whole units: 2 inch, 3 centimetre, anything else none.
std::int32_t tiffResolutionToPelsPerMeter(std::uint32_t unit, std::uint16_t value);

} // namespace gp
