#include "codecs/JpegReader.h"

#include "codecs/JpegErrorHandler.h"

#include <algorithm>
#include <climits>

namespace gp {

namespace {

// Everything the library call needs lives here, outside the function that calls setjmp.
struct Decompression {
    jpeg_decompress_struct info;
    JpegErrorHandler error;
    const Allocator* allocator = nullptr;
    std::optional<Image> image;
    bool refused = false; // neither one nor three output components
};

bool allocateImage(Decompression& d)
{
    const int components = d.info.output_components;
    auto image = d.allocator->image(
        int(d.info.output_width), int(d.info.output_height), 8 * components, components == 1 ? 256 : 0);
    if (!image)
        return false;
    if (components == 1)
        for (int i = 0; i < 256; ++i)
            image->setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    const std::int32_t x = jfifDensityToPelsPerMeter(d.info.density_unit, d.info.X_density);
    const std::int32_t y = jfifDensityToPelsPerMeter(d.info.density_unit, d.info.Y_density);
    image->setResolution(x, y);
    d.image = std::move(image);
    return true;
}

// Drives the library. A library error jumps back to the setjmp below, so only trivially
// destructible locals live here.
void decompress(Decompression& d, std::FILE* file)
{
    d.info.err = installJpegErrorHandler(d.error);
    if (setjmp(d.error.recovery)) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    jpeg_create_decompress(&d.info);
    // The library's own buffers (whole-image coefficients of progressive files) stay under the
    // same ceiling as our image blocks.
    d.info.mem->max_memory_to_use = long(std::min<std::size_t>(d.allocator->ceiling(), LONG_MAX));
    jpeg_stdio_src(&d.info, file);
    jpeg_read_header(&d.info, TRUE);
    // Colour pixels come out in the bitmap's blue, green, red order, straight into its rows.
    if (d.info.out_color_space == JCS_RGB)
        d.info.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&d.info);
    if (d.info.output_components != 1 && d.info.output_components != 3) {
        d.refused = true;
        jpeg_destroy_decompress(&d.info);
        return;
    }
    // The block is taken before decompression starts, so a huge file is refused before the
    // library allocates for it.
    if (!allocateImage(d)) {
        jpeg_destroy_decompress(&d.info);
        return;
    }
    jpeg_start_decompress(&d.info);
    Image& image = *d.image;
    while (d.info.output_scanline < d.info.output_height) {
        // The first file row is the top row of the bottom-up image.
        JSAMPROW row = image.row(int(d.info.output_scanline));
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            break;
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
}

} // namespace

std::int32_t jfifDensityToPelsPerMeter(int unit, unsigned density)
{
    if (unit == 1)
        return std::int32_t((std::uint64_t(density) * 5410971599295ull) >> 37);
    if (unit == 2)
        return std::int32_t(density * 100);
    return 0;
}

ReadResult decodeJpeg(std::FILE* file, const Allocator& allocator)
{
    Decompression d;
    d.allocator = &allocator;
    decompress(d, file);
    if (d.refused)
        return ReadResult::noImage("JPEG: neither grayscale nor RGB");
    if (!d.image)
        return ReadResult::noImage(std::string("JPEG: ") + d.error.message);
    return ReadResult::read(std::move(*d.image));
}

ReadResult readJpegFile(const std::string& path, const Allocator& allocator)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return ReadResult::cannotRead("JPEG: cannot open " + path);
    ReadResult result = decodeJpeg(file, allocator);
    std::fclose(file);
    return result;
}

} // namespace gp
