#include "codecs/PngReader.h"

#include "codecs/WholeFileReader.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

namespace gp {

namespace {

// Decompressed ancillary chunks (colour profiles, texts) larger than this are refused by the
// library, so a small hostile file cannot ask for a huge buffer.
constexpr png_alloc_size_t kLargestChunk = png_alloc_size_t(16) << 20;

// Ancillary chunks the reader has no use for, each name followed by its terminating zero.
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0eXIf\0sPLT\0hIST\0tIME\0bKGD\0sBIT\0oFFs\0pCAL\0sCAL\0gAMA\0cHRM";

// How the library's rows become image rows.
enum class RowKind {
    Direct, // the library writes the image's own rows (palette 1/4/8, gray 1/8, BGR)
    Pack2To4, // 2-bit palette indices, one a byte, packed into 4-bit pixels
    Gray8Alpha, // gray and alpha, composited over white into 8-bit gray
    Gray16Alpha,
    Rgb8Alpha, // red, green, blue and alpha, composited over white into BGR
    Rgb16Alpha,
};

struct Decoding {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::span<const std::uint8_t> file;
    std::size_t position = 0;
    std::string error;

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, passes = 1;
    RowKind kind = RowKind::Direct;
    int imageBits = 24;
    std::size_t rawRowBytes = 0;

    std::optional<Image> image;
    std::vector<std::uint8_t> raw; // the library's rows when they are converted afterwards
    PhotoMetadata photo;
};

void readBytes(png_structp png, png_bytep out, png_size_t count)
{
    auto* d = static_cast<Decoding*>(png_get_io_ptr(png));
    if (count > d->file.size() - d->position)
        png_error(png, "the file ends early");
    std::memcpy(out, d->file.data() + d->position, count);
    d->position += count;
}

[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    auto* d = static_cast<Decoding*>(png_get_error_ptr(png));
    d->error = message ? message : "PNG error";
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) { }

// Reads the header chunks and sets the library's transformations. Only trivially destructible
// locals: a library error jumps back here.
bool readHeader(Decoding& d)
{
    if (setjmp(png_jmpbuf(d.png)))
        return false;
    png_set_read_fn(d.png, &d, readBytes);
    png_set_chunk_malloc_max(d.png, kLargestChunk);
    // Chunks the picture does not need are skipped unread: the library would otherwise take a
    // buffer of a text chunk's declared length (up to 2 GiB) before finding the file ends.
    png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, int(sizeof kSkippedChunks / 5));
    png_read_info(d.png, d.info);
    int interlace = 0;
    png_get_IHDR(d.png, d.info, &d.width, &d.height, &d.bitDepth, &d.colorType, &interlace, nullptr, nullptr);
    const bool transparentColor = png_get_valid(d.png, d.info, PNG_INFO_tRNS) != 0;

    if (d.colorType == PNG_COLOR_TYPE_PALETTE) {
        // Transparent palette entries are composited in the colour table, so the pixels stay
        // indices; 2-bit indices are unpacked to bytes and packed again into nibbles.
        d.imageBits = d.bitDepth == 2 ? 4 : d.bitDepth;
        if (d.bitDepth == 2) {
            png_set_packing(d.png);
            d.kind = RowKind::Pack2To4;
        }
    } else if (d.colorType == PNG_COLOR_TYPE_GRAY && !transparentColor) {
        d.imageBits = d.bitDepth == 1 ? 1 : 8;
        if (d.bitDepth == 2 || d.bitDepth == 4)
            png_set_expand_gray_1_2_4_to_8(d.png);
        if (d.bitDepth == 16)
            png_set_scale_16(d.png);
    } else if (d.colorType == PNG_COLOR_TYPE_RGB && !transparentColor) {
        if (d.bitDepth == 16)
            png_set_scale_16(d.png);
        png_set_bgr(d.png);
    } else {
        // Alpha of any kind: gray or colour samples with an alpha sample each, sixteen-bit
        // samples kept so the composition rounds once.
        const bool gray = (d.colorType & PNG_COLOR_MASK_COLOR) == 0;
        png_set_expand(d.png);
        if (transparentColor)
            png_set_tRNS_to_alpha(d.png);
        const bool wide = d.bitDepth == 16;
        d.imageBits = gray ? 8 : 24;
        d.kind = gray ? (wide ? RowKind::Gray16Alpha : RowKind::Gray8Alpha)
                      : (wide ? RowKind::Rgb16Alpha : RowKind::Rgb8Alpha);
    }
    d.passes = interlace != PNG_INTERLACE_NONE ? png_set_interlace_handling(d.png) : 1;
    png_read_update_info(d.png, d.info);
    d.rawRowBytes = png_get_rowbytes(d.png, d.info);
    return true;
}

// One library row into `row`; false after a library error (a damaged or truncated stream).
bool readRow(Decoding& d, png_bytep row)
{
    if (setjmp(png_jmpbuf(d.png)))
        return false;
    png_read_row(d.png, row, nullptr);
    return true;
}

std::uint8_t overWhite8(unsigned value, unsigned alpha)
{
    return std::uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

std::uint8_t overWhite16(unsigned value, unsigned alpha)
{
    const std::uint64_t wide = (std::uint64_t(value) * alpha + 65535ull * (65535 - alpha) + 32767) / 65535;
    return std::uint8_t((wide * 255 + 32895) >> 16);
}

unsigned sample16(const std::uint8_t* p)
{
    return unsigned(p[0]) << 8 | p[1];
}

void convertRow(const Decoding& d, const std::uint8_t* in, std::uint8_t* out)
{
    const png_uint_32 w = d.width;
    switch (d.kind) {
    case RowKind::Direct: break;
    case RowKind::Pack2To4:
        for (png_uint_32 x = 0; x < w; x += 2)
            out[x / 2] = std::uint8_t((in[x] & 3) << 4 | (x + 1 < w ? in[x + 1] & 3 : 0));
        break;
    case RowKind::Gray8Alpha:
        for (png_uint_32 x = 0; x < w; ++x)
            out[x] = overWhite8(in[2 * x], in[2 * x + 1]);
        break;
    case RowKind::Gray16Alpha:
        for (png_uint_32 x = 0; x < w; ++x)
            out[x] = overWhite16(sample16(in + 4 * x), sample16(in + 4 * x + 2));
        break;
    case RowKind::Rgb8Alpha:
        for (png_uint_32 x = 0; x < w; ++x, in += 4, out += 3) {
            out[0] = overWhite8(in[2], in[3]);
            out[1] = overWhite8(in[1], in[3]);
            out[2] = overWhite8(in[0], in[3]);
        }
        break;
    case RowKind::Rgb16Alpha:
        for (png_uint_32 x = 0; x < w; ++x, in += 8, out += 3) {
            const unsigned alpha = sample16(in + 6);
            out[0] = overWhite16(sample16(in + 4), alpha);
            out[1] = overWhite16(sample16(in + 2), alpha);
            out[2] = overWhite16(sample16(in), alpha);
        }
        break;
    }
}

void fillColorTable(const Decoding& d, Image& image)
{
    if (d.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        png_get_PLTE(d.png, d.info, &palette, &count);
        png_bytep alpha = nullptr;
        int alphaCount = 0;
        png_get_tRNS(d.png, d.info, &alpha, &alphaCount, nullptr);
        count = std::min(count, image.colorCount());
        for (int i = 0; i < count; ++i) {
            const unsigned a = i < alphaCount && alpha ? alpha[i] : 255;
            image.setColor(i, Rgbq { overWhite8(palette[i].blue, a), overWhite8(palette[i].green, a),
                                  overWhite8(palette[i].red, a), 0 });
        }
        return;
    }
    // Gray pictures: black and white, or the 256-step gray scale.
    const int count = image.colorCount();
    for (int i = 0; i < count; ++i) {
        const std::uint8_t level = std::uint8_t(count == 2 ? i * 255 : i);
        image.setColor(i, Rgbq { level, level, level, 0 });
    }
}

std::int32_t perMetre(png_uint_32 value)
{
    return std::int32_t(std::min<png_uint_32>(value, 0x7FFFFFFF));
}

void readResolution(const Decoding& d, Image& image)
{
    png_uint_32 x = 0, y = 0;
    int unit = 0;
    if (png_get_pHYs(d.png, d.info, &x, &y, &unit) && unit == PNG_RESOLUTION_METER)
        image.setResolution(perMetre(x), perMetre(y));
}

void readProfile(Decoding& d)
{
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(d.png, d.info, &name, &compression, &profile, &length) && profile && length > 0)
        d.photo.iccProfile.assign(profile, profile + length);
}

// Everything after the header: the block, the row places, the rows and their conversion.
ReadResult decodePicture(Decoding& d, const Allocator& allocator)
{
    if (d.width > 0x7FFFFFFF || d.height > 0x7FFFFFFF)
        return ReadResult::noImage("PNG: size out of range");
    d.image = allocator.image(int(d.width), int(d.height), d.imageBits);
    if (!d.image)
        return ReadResult::noImage("PNG: not enough memory");
    Image& image = *d.image;
    fillColorTable(d, image);
    readResolution(d, image);
    readProfile(d);

    // Converted rows of an interlaced file are all kept until the last pass has filled them;
    // otherwise one row is converted as soon as it is read.
    const bool direct = d.kind == RowKind::Direct;
    const bool interlaced = d.passes > 1;
    if (!direct) {
        const std::size_t keptRows = interlaced ? d.height : 1;
        const std::size_t limit = allocator.ceiling() > SIZE_MAX / 3 ? SIZE_MAX : allocator.ceiling() * 3;
        bool allocated = d.rawRowBytes != 0 && d.rawRowBytes <= limit / keptRows;
        try {
            if (allocated)
                d.raw.assign(d.rawRowBytes * keptRows, 0);
        } catch (const std::bad_alloc&) {
            allocated = false;
        }
        if (!allocated) {
            allocator.reportOutOfMemory();
            return ReadResult::noImage("PNG: not enough memory");
        }
    }
    bool broken = false;
    int rowsRead = 0; // rows of the first pass (or of the only one) that arrived
    for (int pass = 0; pass < d.passes && !broken; ++pass) {
        for (png_uint_32 y = 0; y < d.height; ++y) {
            std::uint8_t* target = direct ? image.row(int(y))
                : interlaced               ? d.raw.data() + std::size_t(y) * d.rawRowBytes
                                           : d.raw.data();
            if (!readRow(d, target)) {
                broken = true;
                break;
            }
            if (pass == 0)
                rowsRead = int(y + 1);
            if (!direct && !interlaced)
                convertRow(d, target, image.row(int(y)));
        }
    }
    if (!direct && interlaced)
        for (png_uint_32 y = 0; y < d.height; ++y)
            convertRow(d, d.raw.data() + std::size_t(y) * d.rawRowBytes, image.row(int(y)));
    if (broken && rowsRead == 0)
        return ReadResult::noImage("PNG: " + d.error);
    ReadResult result = ReadResult::read(std::move(image));
    result.photo = std::move(d.photo);
    return result;
}

} // namespace

ReadResult decodePng(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0)
        return ReadResult::notThisFormat("PNG: no signature");
    Decoding d;
    d.file = file;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d, onError, onWarning);
    if (!d.png)
        return ReadResult::noImage("PNG: the library could not start");
    d.info = png_create_info_struct(d.png);
    ReadResult result = !d.info   ? ReadResult::noImage("PNG: the library could not start")
        : !readHeader(d)         ? ReadResult::noImage("PNG: " + d.error)
                                 : decodePicture(d, allocator);
    png_destroy_read_struct(&d.png, d.info ? &d.info : nullptr, nullptr);
    return result;
}

ReadResult readPngFile(const std::string& path, const Allocator& allocator)
{
    return readWholeImageFile(path, allocator, decodePng);
}

} // namespace gp
