#include "codecs/WebpReader.h"

#include "codecs/WholeFileReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace gp {

namespace {

std::uint8_t overWhite(unsigned value, unsigned alpha)
{
    return std::uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Top-down blue, green, red, alpha rows composited over white into the image's rows.
void compositeRows(const std::uint8_t* bgra, std::size_t stride, Image& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* in = bgra + std::size_t(y) * stride;
        std::uint8_t* out = image.row(y);
        for (int x = 0; x < image.width(); ++x, in += 4, out += 3) {
            out[0] = overWhite(in[0], in[3]);
            out[1] = overWhite(in[1], in[3]);
            out[2] = overWhite(in[2], in[3]);
        }
    }
}

// A temporary four-byte-per-pixel picture may be a third larger than the 24-bit image the
// allocator allowed; anything beyond that is refused like the image itself.
bool scratchAllowed(int width, int height, const Allocator& allocator)
{
    const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
    return pixels <= allocator.ceiling() / 3;
}

struct DemuxerDeleter {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
struct AnimationDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

ReadResult decodeStill(std::span<const std::uint8_t> file, const WebPBitstreamFeatures& features,
                       const Allocator& allocator)
{
    auto image = allocator.image(features.width, features.height, 24);
    if (!image)
        return ReadResult::noImage("WebP: not enough memory");
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return ReadResult::noImage("WebP: the library could not start");
    std::vector<std::uint8_t> scratch;
    if (features.has_alpha) {
        bool allocated = scratchAllowed(features.width, features.height, allocator);
        try {
            if (allocated)
                scratch.resize(std::size_t(features.width) * std::size_t(features.height) * 4);
        } catch (const std::bad_alloc&) {
            allocated = false;
        }
        if (!allocated) {
            allocator.reportOutOfMemory();
            return ReadResult::noImage("WebP: not enough memory");
        }
        config.output.colorspace = MODE_BGRA;
        config.output.u.RGBA.rgba = scratch.data();
        config.output.u.RGBA.stride = features.width * 4;
        config.output.u.RGBA.size = scratch.size();
    } else {
        // The decoder writes the image's own rows, bottom row first, as the bitmap stores them.
        config.options.flip = 1;
        config.output.colorspace = MODE_BGR;
        config.output.u.RGBA.rgba = image->pixels().data();
        config.output.u.RGBA.stride = int(image->rowSize());
        config.output.u.RGBA.size = image->pixels().size();
    }
    config.output.is_external_memory = 1;
    const VP8StatusCode status = WebPDecode(file.data(), file.size(), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        return ReadResult::noImage("WebP: damaged picture data (" + std::to_string(int(status)) + ")");
    if (features.has_alpha)
        compositeRows(scratch.data(), std::size_t(features.width) * 4, *image);
    return ReadResult::read(std::move(*image));
}

// The first frame of an animation as it stands on the canvas (which starts transparent).
ReadResult decodeFirstFrame(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    const WebPData data { file.data(), file.size() };
    const std::unique_ptr<WebPDemuxer, DemuxerDeleter> demuxer(WebPDemux(&data));
    if (!demuxer)
        return ReadResult::noImage("WebP: damaged animation");
    const int width = int(WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_WIDTH));
    const int height = int(WebPDemuxGetI(demuxer.get(), WEBP_FF_CANVAS_HEIGHT));
    // The decoder keeps a canvas of its own, so both are checked before it is made.
    auto image = allocator.image(width, height, 24);
    if (!image)
        return ReadResult::noImage("WebP: not enough memory");
    if (!scratchAllowed(width, height, allocator)) {
        allocator.reportOutOfMemory();
        return ReadResult::noImage("WebP: not enough memory");
    }
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return ReadResult::noImage("WebP: the library could not start");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimationDeleter> decoder(WebPAnimDecoderNew(&data, &options));
    if (!decoder)
        return ReadResult::noImage("WebP: damaged animation");
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas)
        return ReadResult::noImage("WebP: damaged first frame");
    compositeRows(canvas, std::size_t(width) * 4, *image);
    return ReadResult::read(std::move(*image));
}

void readProfile(std::span<const std::uint8_t> file, PhotoMetadata& photo)
{
    const WebPData data { file.data(), file.size() };
    const std::unique_ptr<WebPDemuxer, DemuxerDeleter> demuxer(WebPDemux(&data));
    if (!demuxer || !(WebPDemuxGetI(demuxer.get(), WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG))
        return;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demuxer.get(), "ICCP", 1, &chunk)) {
        photo.iccProfile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
}

} // namespace

ReadResult decodeWebp(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WEBP", 4) != 0)
        return ReadResult::notThisFormat("WebP: no signature");
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(file.data(), file.size(), &features) != VP8_STATUS_OK)
        return ReadResult::noImage("WebP: damaged header");
    ReadResult result
        = features.has_animation ? decodeFirstFrame(file, allocator) : decodeStill(file, features, allocator);
    if (result.ok())
        readProfile(file, result.photo);
    return result;
}

ReadResult readWebpFile(const std::string& path, const Allocator& allocator)
{
    return readWholeImageFile(path, allocator, decodeWebp);
}

} // namespace gp
