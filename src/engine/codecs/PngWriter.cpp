#include "codecs/PngWriter.h"

#include "codecs/FileSink.h"
#include "image/ImageType.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace gp {

namespace {

struct Encoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    FileSink* sink = nullptr;
    const Image* image = nullptr;
    std::vector<png_color> palette;
};

void writeBytes(png_structp png, png_bytep data, png_size_t count)
{
    static_cast<Encoding*>(png_get_io_ptr(png))->sink->write({ data, count });
}

void flushNothing(png_structp) { }

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) { }

// The colour table as a PNG palette of 2, 16 or 256 entries, so every pixel value of the depth
// names an entry even when the table is shorter.
void buildPalette(Encoding& e)
{
    const Image& image = *e.image;
    e.palette.assign(std::size_t(1) << image.bitsPerPixel(), png_color { 0, 0, 0 });
    for (int i = 0; i < image.colorCount() && i < int(e.palette.size()); ++i) {
        const Rgbq c = image.color(i);
        e.palette[std::size_t(i)] = png_color { c.red, c.green, c.blue };
    }
}

// Only trivially destructible locals: a library error jumps back here.
bool encode(Encoding& e)
{
    if (setjmp(png_jmpbuf(e.png)))
        return false;
    const Image& image = *e.image;
    const int bits = image.bitsPerPixel();
    png_set_write_fn(e.png, &e, writeBytes, flushNothing);
    int colorType = PNG_COLOR_TYPE_PALETTE;
    int depth = bits;
    if (bits == 24) {
        colorType = PNG_COLOR_TYPE_RGB;
        depth = 8;
    } else if (isGrayscale(&image)) {
        colorType = PNG_COLOR_TYPE_GRAY;
    }
    png_set_IHDR(e.png, e.info, png_uint_32(image.width()), png_uint_32(image.height()), depth, colorType,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        buildPalette(e);
        png_set_PLTE(e.png, e.info, e.palette.data(), int(e.palette.size()));
    }
    if (image.xPelsPerMeter() > 0 && image.yPelsPerMeter() > 0)
        png_set_pHYs(e.png, e.info, png_uint_32(image.xPelsPerMeter()), png_uint_32(image.yPelsPerMeter()),
            PNG_RESOLUTION_METER);
    png_write_info(e.png, e.info);
    if (bits == 24)
        png_set_bgr(e.png);
    // Rows are handed over top first; the bitmap keeps them bottom up.
    for (int y = 0; y < image.height(); ++y)
        png_write_row(e.png, image.row(y));
    png_write_end(e.png, e.info);
    return true;
}

} // namespace

WriteResult writePngFile(const std::string& path, const Image& image)
{
    const int bits = image.isNull() ? 0 : image.bitsPerPixel();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return WriteResult::WriteError;
    FileSink sink(path);
    if (!sink.isOpen())
        return WriteResult::WriteError;
    Encoding e;
    e.sink = &sink;
    e.image = &image;
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &e, onError, onWarning);
    if (!e.png)
        return WriteResult::WriteError;
    e.info = png_create_info_struct(e.png);
    const bool encoded = e.info && encode(e);
    png_destroy_write_struct(&e.png, e.info ? &e.info : nullptr);
    const bool finished = sink.finish();
    return encoded && finished ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
