#include "JpegTile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace gp::fpx {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void failWithJump(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void silence(j_common_ptr, int)
{
}

void installErrorManager(ErrorManager& errors)
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = failWithJump;
    errors.base.emit_message = silence;
}

// The output buffer libjpeg's memory destination allocates with malloc.
struct MemoryOutput {
    unsigned char* data = nullptr;
    unsigned long size = 0;
    ~MemoryOutput() { std::free(data); }
    std::vector<std::uint8_t> bytes() const { return { data, data + size }; }
};

Error jpegError(const char* what)
{
    return makeError(ErrorKind::Malformed, std::string("JPEG tile: ") + what);
}

} // namespace

struct JpegTileEncoder::State {
    jpeg_compress_struct info {};
    ErrorManager errors {};
    bool ready = false;
};

JpegTileEncoder::JpegTileEncoder(int channels, int quality)
    : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    installErrorManager(s.errors);
    s.info.err = &s.errors.base;
    if (setjmp(s.errors.jump))
        return;
    jpeg_create_compress(&s.info);
    s.info.image_width = kTileSize;
    s.info.image_height = kTileSize;
    s.info.input_components = channels;
    s.info.in_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&s.info);
    jpeg_set_quality(&s.info, quality, TRUE);
    s.info.write_JFIF_header = FALSE;
    s.info.write_Adobe_marker = FALSE;
    s.ready = true;
}

JpegTileEncoder::~JpegTileEncoder()
{
    jpeg_destroy_compress(&m_state->info);
}

Result<std::vector<std::uint8_t>> JpegTileEncoder::tables()
{
    State& s = *m_state;
    if (!s.ready)
        return jpegError("coder not set up");
    MemoryOutput out;
    if (setjmp(s.errors.jump))
        return jpegError("tables not written");
    jpeg_mem_dest(&s.info, &out.data, &out.size);
    jpeg_write_tables(&s.info);
    return out.bytes();
}

Result<std::vector<std::uint8_t>> JpegTileEncoder::encode(std::span<const std::uint8_t> tile)
{
    State& s = *m_state;
    const std::size_t rowBytes = std::size_t(kTileSize) * std::size_t(s.info.input_components);
    if (!s.ready || tile.size() < rowBytes * kTileSize)
        return jpegError("tile not codable");
    MemoryOutput out;
    if (setjmp(s.errors.jump)) {
        jpeg_abort_compress(&s.info);
        return jpegError("tile not written");
    }
    jpeg_mem_dest(&s.info, &out.data, &out.size);
    jpeg_start_compress(&s.info, FALSE); // the tables went out once, with tables()
    while (s.info.next_scanline < s.info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(tile.data() + s.info.next_scanline * rowBytes);
        jpeg_write_scanlines(&s.info, &row, 1);
    }
    jpeg_finish_compress(&s.info);
    return out.bytes();
}

namespace {

// Decodes a complete stream; kept apart so that only trivially destructible locals share a frame
// with setjmp.
bool decodeStream(const std::uint8_t* data, std::size_t size, int channels, bool fromYcc, std::uint8_t* out)
{
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    installErrorManager(errors);
    info.err = &errors.base;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.image_width != kTileSize || info.image_height != kTileSize || info.num_components != channels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (channels == 3) {
        info.jpeg_color_space = fromYcc ? JCS_YCbCr : JCS_RGB;
        info.out_color_space = JCS_RGB;
    }
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = std::size_t(kTileSize) * std::size_t(channels);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out + info.output_scanline * rowBytes;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

Result<std::vector<std::uint8_t>> decodeJpegTile(
    std::span<const std::uint8_t> tables, std::span<const std::uint8_t> tile, int channels, bool fromYcc)
{
    if (channels != 1 && channels != 3)
        return makeError(ErrorKind::Unsupported, "JPEG tile: channel count");
    // A tables stream without its end marker followed by the tile without its start marker makes
    // one complete stream.
    std::vector<std::uint8_t> stream;
    if (!tables.empty()) {
        if (tables.size() < 4 || tile.size() < 2 || tables[tables.size() - 2] != 0xFF
            || tables[tables.size() - 1] != 0xD9 || tile[0] != 0xFF || tile[1] != 0xD8)
            return jpegError("tables or tile without their markers");
        stream.assign(tables.begin(), tables.end() - 2);
        stream.insert(stream.end(), tile.begin() + 2, tile.end());
    } else {
        stream.assign(tile.begin(), tile.end());
    }
    std::vector<std::uint8_t> samples(std::size_t(kTileSize) * kTileSize * std::size_t(channels));
    if (!decodeStream(stream.data(), stream.size(), channels, fromYcc, samples.data()))
        return jpegError("tile not decodable");
    return samples;
}

} // namespace gp::fpx
