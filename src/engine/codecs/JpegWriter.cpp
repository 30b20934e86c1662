#include "codecs/JpegWriter.h"

#include "codecs/JpegErrorHandler.h"
#include "image/ImageType.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <unistd.h>

namespace gp {

namespace {

// Everything the library call needs lives here, outside the function that calls setjmp.
struct Compression {
    jpeg_compress_struct info;
    JpegErrorHandler error;
    const Image* image = nullptr;
    int quality = 90;
};

// Drives the library. A library error jumps back to the setjmp below, so only trivially
// destructible locals live here. True when every row was written.
bool compress(Compression& c, std::FILE* file)
{
    c.info.err = installJpegErrorHandler(c.error);
    if (setjmp(c.error.recovery)) {
        jpeg_destroy_compress(&c.info);
        return false;
    }
    jpeg_create_compress(&c.info);
    jpeg_stdio_dest(&c.info, file);
    const Image& image = *c.image;
    const bool gray = image.bitsPerPixel() == 8;
    c.info.image_width = JDIMENSION(image.width());
    c.info.image_height = JDIMENSION(image.height());
    c.info.input_components = gray ? 1 : 3;
    // The bitmap's rows go to the library as they are, blue, green, red.
    c.info.in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, c.quality, TRUE);
    c.info.density_unit = 1;
    c.info.X_density = UINT16(pelsPerMeterToDpi(image.xPelsPerMeter()));
    c.info.Y_density = UINT16(pelsPerMeterToDpi(image.yPelsPerMeter()));
    jpeg_start_compress(&c.info, TRUE);
    while (c.info.next_scanline < c.info.image_height) {
        // The library only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(image.row(int(c.info.next_scanline)));
        if (jpeg_write_scanlines(&c.info, &row, 1) != 1)
            break;
    }
    const bool complete = c.info.next_scanline == c.info.image_height;
    jpeg_finish_compress(&c.info);
    jpeg_destroy_compress(&c.info);
    return complete;
}

} // namespace

unsigned pelsPerMeterToDpi(std::int32_t pelsPerMeter)
{
    if (pelsPerMeter <= 0)
        return 0;
    const std::int64_t dpi = (std::int64_t(pelsPerMeter) * 100 + 1968) / 3937;
    return unsigned(std::min<std::int64_t>(dpi, 65535));
}

WriteResult encodeJpeg(std::FILE* file, const Image& image, int quality)
{
    Compression c;
    c.image = &image;
    c.quality = quality;
    return compress(c, file) ? WriteResult::Written : WriteResult::WriteError;
}

WriteResult writeJpegFile(const std::string& path, const Image& image, int quality, Host& host)
{
    const ImageType type = imageTypeOf(&image);
    if (type != ImageType::Gray8 && type != ImageType::Rgb24) {
        host.message(text(StringId::CaptionWarning), text(StringId::JpegIndexedRefused), Icon::Warning);
        return WriteResult::Reported;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        host.message(text(StringId::CaptionWarning), text(StringId::DiskError), Icon::Warning);
        return WriteResult::Reported;
    }
    WriteResult result = encodeJpeg(file, image, quality);
    // A full disk may show only when the buffered bytes are flushed and synced.
    const bool flushed = std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
    if (std::fclose(file) != 0 || !flushed)
        result = WriteResult::WriteError;
    return result;
}

} // namespace gp
