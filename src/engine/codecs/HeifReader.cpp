#include "codecs/HeifReader.h"

#include "codecs/HeifContainer.h"
#include "codecs/HeifLibrary.h"
#include "codecs/WholeFileReader.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace gp {

namespace {

// Only reached once the library has been loaded.
struct ContextDeleter {
    void operator()(heif_context* context) const { heifFunctions()->contextFree(context); }
};
struct HandleDeleter {
    void operator()(const heif_image_handle* handle) const { heifFunctions()->handleRelease(handle); }
};
struct PictureDeleter {
    void operator()(const heif_image* picture) const { heifFunctions()->imageRelease(picture); }
};
struct OptionsDeleter {
    void operator()(heif_decoding_options* options) const { heifFunctions()->decodingOptionsFree(options); }
};

std::uint8_t overWhite(unsigned value, unsigned alpha)
{
    return std::uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Interleaved red, green, blue (and alpha) rows, top first, into the bitmap's rows.
void copyRows(const std::uint8_t* plane, int stride, bool alpha, Image& image)
{
    const int step = alpha ? 4 : 3;
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* in = plane + std::size_t(y) * std::size_t(stride);
        std::uint8_t* out = image.row(y);
        for (int x = 0; x < image.width(); ++x, in += step, out += 3) {
            const unsigned a = alpha ? in[3] : 255;
            out[0] = overWhite(in[2], a);
            out[1] = overWhite(in[1], a);
            out[2] = overWhite(in[0], a);
        }
    }
}

void readProfile(const HeifFunctions& heif, const heif_image_handle* handle, PhotoMetadata& photo)
{
    const heif_color_profile_type type = heif.colorProfileType(handle);
    if (type != heif_color_profile_type_rICC && type != heif_color_profile_type_prof)
        return;
    const std::size_t size = heif.rawColorProfileSize(handle);
    if (size == 0 || size > (std::size_t(16) << 20))
        return;
    std::vector<std::uint8_t> profile(size);
    if (heif.rawColorProfile(handle, profile.data()).code == heif_error_Ok)
        photo.iccProfile = std::move(profile);
}

} // namespace

ReadResult decodeHeif(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    if (file.size() < 12 || file.size() > std::size_t(INT_MAX))
        return ReadResult::notThisFormat("HEIF: no file-type box");
    const HeifFunctions* const functions = heifFunctions();
    if (!functions) {
        // Without the library only the file-type box's name tells a HEIF file from the others.
        const bool typed = file[4] == 'f' && file[5] == 't' && file[6] == 'y' && file[7] == 'p';
        return typed ? ReadResult::noImage("HEIF: the HEIF library could not be loaded")
                     : ReadResult::notThisFormat("HEIF: no file-type box");
    }
    const HeifFunctions& heif = *functions;
    if (heif.checkFiletype(file.data(), int(file.size())) == heif_filetype_no)
        return ReadResult::notThisFormat("HEIF: no file-type box");
    if (!heifItemDataInside(file))
        return ReadResult::noImage("HEIF: an item's data lies outside the file");
    const std::unique_ptr<heif_context, ContextDeleter> context(heif.contextAlloc());
    if (!context)
        return ReadResult::noImage("HEIF: the library could not start");
    // The library refuses sides no 24-bit block under the ceiling could hold while it parses;
    // the area is checked against the ceiling below, before anything is decoded.
    const std::size_t longestSide = std::clamp<std::size_t>(allocator.ceiling() / 3, 1, std::size_t(1) << 16);
    heif.setMaximumImageSizeLimit(context.get(), int(longestSide));
    heif_error error = heif.readFromMemoryWithoutCopy(context.get(), file.data(), file.size(), nullptr);
    if (error.code != heif_error_Ok)
        return ReadResult::noImage(std::string("HEIF: ") + error.message);
    heif_image_handle* rawHandle = nullptr;
    error = heif.primaryImageHandle(context.get(), &rawHandle);
    const std::unique_ptr<const heif_image_handle, HandleDeleter> handle(rawHandle);
    if (error.code != heif_error_Ok || !handle)
        return ReadResult::noImage(std::string("HEIF: ") + error.message);

    // The library decodes the coded picture, before its crop and turns, into blocks of its own:
    // one whose coded area four bytes a pixel under the ceiling could not hold is refused before
    // the library allocates for it (a small crop of a huge coded picture would pass the check of
    // the shown size alone).
    const std::uint64_t codedArea = std::uint64_t(std::max(heif.codedWidth(handle.get()), 0))
        * std::uint64_t(std::max(heif.codedHeight(handle.get()), 0));
    if (codedArea * 4 > allocator.ceiling()) {
        allocator.reportOutOfMemory();
        return ReadResult::noImage("HEIF: not enough memory");
    }
    const int width = heif.handleWidth(handle.get());
    const int height = heif.handleHeight(handle.get());
    auto image = allocator.image(width, height, 24);
    if (!image)
        return ReadResult::noImage("HEIF: not enough memory");

    const bool alpha = heif.handleHasAlpha(handle.get()) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif.decodingOptionsAlloc());
    if (!options)
        return ReadResult::noImage("HEIF: the library could not start");
    options->convert_hdr_to_8bit = 1;
    heif_image* rawPicture = nullptr;
    error = heif.decodeImage(handle.get(), &rawPicture, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const std::unique_ptr<const heif_image, PictureDeleter> picture(rawPicture);
    if (error.code != heif_error_Ok || !picture)
        return ReadResult::noImage(std::string("HEIF: ") + error.message);
    int stride = 0;
    const std::uint8_t* plane = heif.planeReadonly(picture.get(), heif_channel_interleaved, &stride);
    if (!plane || heif.imageWidth(picture.get(), heif_channel_interleaved) != width
        || heif.imageHeight(picture.get(), heif_channel_interleaved) != height
        || stride < width * (alpha ? 4 : 3))
        return ReadResult::noImage("HEIF: decoded picture does not match its header");
    copyRows(plane, stride, alpha, *image);

    ReadResult result = ReadResult::read(std::move(*image));
    // The library has applied the container's transforms; nothing is turned afterwards, and the
    // orientation they amount to is reported.
    result.photo.upright = true;
    result.photo.orientation = heifContainerOrientation(file);
    readProfile(heif, handle.get(), result.photo);
    return result;
}

ReadResult readHeifFile(const std::string& path, const Allocator& allocator)
{
    return readWholeImageFile(path, allocator, decodeHeif);
}

} // namespace gp
