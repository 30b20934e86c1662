#include "codecs/JpegReader.h"

#include "codecs/ExifOrientation.h"
#include "codecs/JpegErrorHandler.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace gp {

namespace {

constexpr JDIMENSION kRowsPerRead = 16;

// Everything the library call needs lives here, outside the function that calls setjmp.
struct Decompression {
    jpeg_decompress_struct info;
    JpegErrorHandler error;
    const Allocator* allocator = nullptr;
    std::optional<Image> image;
    bool refused = false; // neither one nor three output components
    PhotoMetadata photo;
};

// The orientation tag of the first EXIF segment and the colour profile the APP2 segments carry
// in pieces. The library keeps the segments because jpeg_save_markers asked it to.
void readPhotoMetadata(Decompression& d)
{
    static constexpr char kExifHeader[6] = { 'E', 'x', 'i', 'f', 0, 0 };
    for (jpeg_saved_marker_ptr marker = d.info.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= sizeof kExifHeader
            && std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0) {
            d.photo.orientation = exifOrientation({ marker->data, marker->data_length });
            break;
        }
    }
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    if (jpeg_read_icc_profile(&d.info, &profile, &length) && profile) {
        d.photo.iccProfile.assign(profile, profile + length);
        std::free(profile);
    }
}

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
    // EXIF (orientation) and ICC profile segments are kept for readPhotoMetadata.
    jpeg_save_markers(&d.info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&d.info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&d.info, TRUE);
    readPhotoMetadata(d);
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
    // Several rows per call spare the library a copy through its own row buffer.
    JSAMPROW rows[kRowsPerRead];
    while (d.info.output_scanline < d.info.output_height) {
        const JDIMENSION first = d.info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerRead, d.info.output_height - first);
        // The first file row is the top row of the bottom-up image.
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = image.row(int(first + i));
        if (jpeg_read_scanlines(&d.info, rows, count) == 0)
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
    ReadResult result = ReadResult::read(std::move(*d.image));
    result.photo = std::move(d.photo);
    return result;
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
