// PNG, WebP and HEIF pictures made by the formats' own tools at test time, decoded by our readers
// and by the tools' reference decoders, which must agree; the PNG writer's files read back by
// ImageMagick; damaged and hostile files refused with the program's answers.

#include "codecs/HeifReader.h"
#include "codecs/PngReader.h"
#include "codecs/PngWriter.h"
#include "codecs/WebpReader.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "image/ImageType.h"

#include <gtest/gtest.h>
#include <libheif/heif.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace gp;
using namespace gp::test;

namespace {

struct PhotoFormats : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host, std::size_t(256) << 20 };

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // A picture with colour, a gradient and a soft alpha ramp, in 16 bits per sample so the
    // tools can write every depth from it.
    void makeSource()
    {
        ASSERT_TRUE(runTool("convert -size 61x37 -seed 3 plasma: -depth 16 \\( -size 61x37 gradient:white-black "
                            "-rotate 90 -resize 61x37! \\) -alpha off -compose CopyOpacity -composite "
                            + path("source.png")));
    }

    // ImageMagick's picture of the file with transparency composited over white.
    RgbPicture reference(const std::string& file)
    {
        const std::string out = path(file + ".ref.ppm");
        EXPECT_TRUE(runTool("convert " + path(file) + " -background white -alpha remove -alpha off -depth 8 ppm:"
            + out));
        auto picture = readNetpbm(out);
        EXPECT_TRUE(picture);
        return picture ? *picture : RgbPicture {};
    }

    std::vector<std::uint8_t> bytesOf(const std::string& file)
    {
        std::ifstream in(path(file), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }
};

struct PngCase {
    const char* name;
    const char* options; // ImageMagick options that choose the PNG's colour type and depth
    int bits; // depth of the image the reader must return; 0: follows from the file's header
    int tolerance; // 16-bit samples and compositing over white may round differently in ImageMagick
};

} // namespace

TEST_F(PhotoFormats, PngOfEveryColourTypeAndDepthMatchesImageMagick)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    makeSource();
    const PngCase cases[] = {
        { "gray1", "-alpha off -colorspace gray -define png:color-type=0 -define png:bit-depth=1", 1, 0 },
        { "gray2", "-alpha off -colorspace gray -define png:color-type=0 -define png:bit-depth=2", 8, 0 },
        { "gray4", "-alpha off -colorspace gray -define png:color-type=0 -define png:bit-depth=4", 8, 0 },
        { "gray8", "-alpha off -colorspace gray -define png:color-type=0 -define png:bit-depth=8", 8, 0 },
        { "gray16", "-alpha off -colorspace gray -define png:color-type=0 -define png:bit-depth=16", 8, 1 },
        { "grayalpha8", "-colorspace gray -define png:color-type=4 -define png:bit-depth=8", 8, 1 },
        { "grayalpha16", "-colorspace gray -define png:color-type=4 -define png:bit-depth=16", 8, 1 },
        { "rgb8", "-alpha off -define png:color-type=2 -define png:bit-depth=8", 24, 0 },
        { "rgb16", "-alpha off -define png:color-type=2 -define png:bit-depth=16", 24, 1 },
        { "rgba8", "-define png:color-type=6 -define png:bit-depth=8", 24, 1 },
        { "rgba16", "-define png:color-type=6 -define png:bit-depth=16", 24, 1 },
        { "rgba8-interlaced", "-interlace PNG -define png:color-type=6 -define png:bit-depth=8", 24, 1 },
        { "rgb8-interlaced", "-alpha off -interlace PNG -define png:color-type=2 -define png:bit-depth=8", 24, 0 },
        { "palette8", "-alpha off -colors 200 -define png:color-type=3 -define png:bit-depth=8", 8, 0 },
        { "palette16", "-alpha off -colors 12 png8:", 0, 0 },
        { "palette4", "-alpha off -colors 4 png8:", 0, 0 },
        { "palette2", "-alpha off -colors 2 png8:", 0, 0 },
        { "palette-alpha", "-channel A -threshold 50% +channel -colors 30 png8:", 8, 1 },
    };
    for (const PngCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = std::string(c.name) + ".png";
        const bool prefixed = std::string(c.options).ends_with(":");
        ASSERT_TRUE(runTool("convert " + path("source.png") + " " + c.options + (prefixed ? "" : " ") + path(file)));
        ReadResult result = readPngFile(path(file), allocator);
        ASSERT_TRUE(result.ok()) << result.detail;
        // ImageMagick picks the palette depth itself: 1 stays 1, 2 and 4 become 4, 8 stays 8.
        const std::vector<std::uint8_t> bytes = bytesOf(file);
        ASSERT_GT(bytes.size(), 26u);
        const int depth = bytes[24];
        EXPECT_EQ(result.image->bitsPerPixel(), c.bits ? c.bits : depth == 2 ? 4 : depth);
        EXPECT_EQ(countDifferences(toRgb(*result.image), reference(file), c.tolerance), 0);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PhotoFormats, PngKeepsResolutionAndHandsOnItsProfile)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    ASSERT_TRUE(runTool("convert -size 8x8 xc:orange -units PixelsPerCentimeter -density 118.11 " + path("dpi.png")));
    ReadResult result = readPngFile(path("dpi.png"), allocator);
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(result.image->xPelsPerMeter(), 11811);
    EXPECT_EQ(result.image->yPelsPerMeter(), 11811);
    EXPECT_TRUE(result.photo.iccProfile.empty());
}

TEST_F(PhotoFormats, PngWriterKeepsThePicturesKindAndPixels)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    for (int bits : { 1, 4, 8, 24 }) {
        SCOPED_TRACE(bits);
        Image image = std::move(Image::create(13, 7, bits)).value();
        for (int i = 0; i < image.colorCount(); ++i)
            image.setColor(i, Rgbq { std::uint8_t(i * 7), std::uint8_t(255 - i), std::uint8_t(i * 3), 0 });
        for (int y = 0; y < image.height(); ++y)
            for (std::size_t x = 0; x < image.rowSize(); ++x)
                image.row(y)[x] = std::uint8_t(x * 37 + y * 11);
        image.setResolution(3780, 2835);
        const std::string file = "written" + std::to_string(bits) + ".png";
        ASSERT_EQ(writePngFile(path(file), image), WriteResult::Written);
        EXPECT_EQ(countDifferences(toRgb(image), reference(file)), 0);
        ReadResult back = readPngFile(path(file), allocator);
        ASSERT_TRUE(back.ok()) << back.detail;
        EXPECT_EQ(back.image->bitsPerPixel(), bits);
        EXPECT_EQ(back.image->xPelsPerMeter(), 3780);
        EXPECT_EQ(back.image->yPelsPerMeter(), 2835);
        EXPECT_EQ(countDifferences(toRgb(*back.image), toRgb(image)), 0);
    }
    // A grayscale image stays grayscale.
    Image gray = std::move(Image::create(5, 3, 8)).value();
    for (int i = 0; i < 256; ++i)
        gray.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    gray.row(1)[2] = 200;
    ASSERT_EQ(writePngFile(path("gray.png"), gray), WriteResult::Written);
    ReadResult back = readPngFile(path("gray.png"), allocator);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(imageTypeOf(&*back.image), ImageType::Gray8);
    EXPECT_EQ(back.image->row(1)[2], 200);
    EXPECT_EQ(writePngFile((dir / "missing" / "x.png").string(), gray), WriteResult::WriteError);
}

TEST_F(PhotoFormats, DamagedAndHostilePngFilesAreRefusedCleanly)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    makeSource();
    ASSERT_TRUE(runTool("convert " + path("source.png") + " -alpha off png24:" + path("whole.png")));
    const std::vector<std::uint8_t> whole = bytesOf("whole.png");

    // Another format's file, and nothing at all, are not PNG files.
    EXPECT_EQ(decodePng(std::span(whole).subspan(1), allocator).status, ReadStatus::NotThisFormat);
    EXPECT_EQ(decodePng({}, allocator).status, ReadStatus::NotThisFormat);
    // A file cut inside its header gives no image; one cut inside its pixels keeps the rows read.
    EXPECT_EQ(decodePng(std::span(whole).first(30), allocator).status, ReadStatus::NoImage);
    ReadResult cut = decodePng(std::span(whole).first(whole.size() * 2 / 3), allocator);
    EXPECT_TRUE(cut.ok() || cut.status == ReadStatus::NoImage);
    // A damaged checksum in the header.
    std::vector<std::uint8_t> damaged = whole;
    damaged[29] ^= 0xFF;
    EXPECT_EQ(decodePng(damaged, allocator).status, ReadStatus::NoImage);
    // Every truncation length of a small file ends without a crash.
    for (std::size_t n = 0; n < whole.size(); n += 17)
        (void)decodePng(std::span(whole).first(n), allocator);
    EXPECT_TRUE(host.messages.empty());

    // A picture larger than the block ceiling gets the memory warning and no image.
    ASSERT_TRUE(runTool("convert -size 3000x2000 xc:gray " + path("large.png")));
    const Allocator small(host, std::size_t(1) << 20);
    EXPECT_EQ(readPngFile(path("large.png"), small).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
    EXPECT_EQ(readPngFile(path("absent.png"), allocator).status, ReadStatus::CannotRead);
}

TEST_F(PhotoFormats, WebpLossyLosslessAndAnimatedMatchDwebp)
{
    GLIMMER_REQUIRE_TOOLS("convert", "cwebp", "dwebp", "img2webp");
    makeSource();
    ASSERT_TRUE(runTool("convert " + path("source.png") + " -depth 8 png32:" + path("rgba.png")));
    struct Case {
        const char* name;
        const char* options;
    };
    for (const Case& c : { Case { "lossy", "-q 80" }, Case { "lossless", "-lossless" }, Case { "opaque", "-q 70 -noalpha" } }) {
        SCOPED_TRACE(c.name);
        const std::string file = std::string(c.name) + ".webp";
        ASSERT_TRUE(runTool("cwebp -quiet " + std::string(c.options) + " " + path("rgba.png") + " -o " + path(file)));
        ASSERT_TRUE(runTool("dwebp -quiet " + path(file) + " -pam -o " + path(file + ".pam")));
        ReadResult result = readWebpFile(path(file), allocator);
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(result.image->bitsPerPixel(), 24);
        EXPECT_EQ(countDifferences(toRgb(*result.image), reference(file + ".pam"), 1), 0);
    }
    // An animation opens at its first frame.
    ASSERT_TRUE(runTool("convert -size 20x10 xc:red " + path("f1.png") + " && convert -size 20x10 xc:blue "
        + path("f2.png") + " && img2webp -lossless " + path("f1.png") + " " + path("f2.png") + " -o "
        + path("anim.webp") + " >/dev/null 2>&1"));
    ReadResult anim = readWebpFile(path("anim.webp"), allocator);
    ASSERT_TRUE(anim.ok()) << anim.detail;
    const RgbPicture rgb = toRgb(*anim.image);
    EXPECT_EQ(rgb.at(5, 5)[0], 255);
    EXPECT_EQ(rgb.at(5, 5)[2], 0);
    const std::vector<std::uint8_t> whole = bytesOf("lossy.webp");
    EXPECT_EQ(decodeWebp(std::span(whole).subspan(4), allocator).status, ReadStatus::NotThisFormat);
    for (std::size_t n = 12; n < whole.size(); n += 29)
        EXPECT_FALSE(decodeWebp(std::span(whole).first(n), allocator).ok());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PhotoFormats, HeicFromHeifEncMatchesHeifConvert)
{
    GLIMMER_REQUIRE_TOOLS("convert", "heif-enc", "heif-convert");
    ASSERT_TRUE(runTool("convert -size 64x48 -seed 5 plasma: -depth 8 png24:" + path("plain.png")));
    ASSERT_TRUE(runTool("heif-enc -q 80 " + path("plain.png") + " -o " + path("photo.heic") + " >/dev/null 2>&1"));
    ASSERT_TRUE(runTool("heif-convert " + path("photo.heic") + " " + path("peer.png") + " >/dev/null 2>&1"));
    ReadResult result = readHeifFile(path("photo.heic"), allocator);
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(result.image->width(), 64);
    EXPECT_EQ(result.image->height(), 48);
    EXPECT_TRUE(result.photo.upright);
    EXPECT_EQ(countDifferences(toRgb(*result.image), reference("peer.png"), 1), 0);

    const std::vector<std::uint8_t> whole = bytesOf("photo.heic");
    EXPECT_EQ(decodeHeif(std::span(whole).subspan(8), allocator).status, ReadStatus::NotThisFormat);
    for (std::size_t n = 16; n < whole.size(); n += whole.size() / 23 + 1)
        (void)decodeHeif(std::span(whole).first(n), allocator);
    const Allocator small(host, 4096);
    EXPECT_EQ(decodeHeif(whole, small).status, ReadStatus::NoImage);
}

namespace {

// A 24 x 16 picture encoded by the HEIF library with the container transforms of the tag.
bool writeOrientedHeic(const std::string& file, int tag)
{
    heif_context* context = heif_context_alloc();
    heif_image* picture = nullptr;
    heif_image_create(24, 16, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture);
    heif_image_add_plane(picture, heif_channel_interleaved, 24, 16, 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            std::uint8_t* p = plane + y * stride + 3 * x;
            p[0] = std::uint8_t(x < 12 ? 250 : 10); // left half red, bottom rows blue
            p[1] = 20;
            p[2] = std::uint8_t(y < 8 ? 10 : 250);
        }
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(tag);
    bool ok = encoder != nullptr;
    if (ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        ok = heif_context_encode_image(context, picture, encoder, options, nullptr).code == heif_error_Ok
            && heif_context_write_to_file(context, file.c_str()).code == heif_error_Ok;
        heif_encoder_release(encoder);
    }
    heif_encoding_options_free(options);
    heif_image_release(picture);
    heif_context_free(context);
    return ok;
}

} // namespace

TEST_F(PhotoFormats, HeicContainerTransformsAreAppliedOnceAndReported)
{
    GLIMMER_REQUIRE_TOOLS("convert", "heif-convert");
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const std::string file = "oriented" + std::to_string(tag) + ".heic";
        ASSERT_TRUE(writeOrientedHeic(path(file), tag));
        ASSERT_TRUE(runTool("heif-convert " + path(file) + " " + path(file + ".png") + " >/dev/null 2>&1"));
        ReadResult result = readHeifFile(path(file), allocator);
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(result.photo.orientation, tag);
        EXPECT_EQ(result.image->width(), tag >= 5 ? 16 : 24);
        EXPECT_EQ(countDifferences(toRgb(*result.image), reference(file + ".png"), 1), 0);
    }
}
