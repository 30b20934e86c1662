#pragma once
// JPEG coding of 64 × 64 tiles through libjpeg, in memory. The encoder codes every tile of a file
// with the same tables, which it hands out once as a tables-only stream; each tile is then an
// abbreviated stream without tables. The decoder joins a tables stream and a tile when the tile
// needs one. libjpeg's fatal errors come back as Malformed results, never as an exit.

#include "base/Result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace gp::fpx {

inline constexpr int kTileSize = 64;

class JpegTileEncoder {
public:
    // channels 3 (RGB, coded as YCbCr with 2 × 2 chroma subsampling) or 1 (gray); quality 1..100.
    JpegTileEncoder(int channels, int quality);
    ~JpegTileEncoder();
    JpegTileEncoder(const JpegTileEncoder&) = delete;
    JpegTileEncoder& operator=(const JpegTileEncoder&) = delete;

    // SOI, the quantisation and Huffman tables, EOI.
    Result<std::vector<std::uint8_t>> tables();
    // One tile of 64 × 64 pixel-interleaved samples as an abbreviated stream.
    Result<std::vector<std::uint8_t>> encode(std::span<const std::uint8_t> tile);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Decodes one tile into 64 × 64 × channels samples. tables may be empty (the tile is a whole
// stream). fromYcc: the coder turned RGB into YCbCr, so the samples are turned back; otherwise the
// channels come out as coded.
Result<std::vector<std::uint8_t>> decodeJpegTile(
    std::span<const std::uint8_t> tables, std::span<const std::uint8_t> tile, int channels, bool fromYcc);

} // namespace gp::fpx
