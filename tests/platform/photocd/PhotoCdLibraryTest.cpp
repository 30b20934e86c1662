// The exported interface of libglimmer-photocd.so: sizes and layout of the image block, rotation,
// gray output, the abort test and the error codes.

#include "ExternalTools.h"
#include "PcdTestFiles.h"
#include "PhotoCd.h"
#include "PhotoYcc.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace gp::test {
namespace {

struct Loaded {
    unsigned long error = 0;
    std::uint8_t* block = nullptr;
    ~Loaded() { std::free(block); }
    Loaded() = default;
    Loaded(const Loaded&) = delete;

    std::int32_t field(std::size_t offset) const
    {
        return std::int32_t(
            block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 | std::uint32_t(block[offset + 3]) << 24);
    }
    int width() const { return field(4); }
    int height() const { return field(8); }
    int bits() const { return block[14]; }
    std::size_t rowSize() const { return (std::size_t(width()) * std::size_t(bits()) / 8 + 3) & ~std::size_t(3); }
    // Pixel (x, y) from the top: the blue, green, red bytes or the gray index.
    const std::uint8_t* pixel(int x, int y) const
    {
        return block + 1064 + std::size_t(height() - 1 - y) * rowSize() + std::size_t(x) * std::size_t(bits() / 8);
    }
};

struct LoadOptions {
    int format = PCD_FORMAT_RGB24;
    int resolution = PCD_RES_BASE;
    PCDAbortTest abort = nullptr;
    void* data = nullptr;
    PCDProgress progress = nullptr;
};

void load(const std::filesystem::path& path, const LoadOptions& options, Loaded& out)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    PCDHandle handle = nullptr;
    out.error = PCDrefOpen(fd, &handle);
    if ((out.error & 0xFFFF) == 0) {
        EXPECT_EQ(PCDsetFormat(handle, options.format), 0u);
        EXPECT_EQ(PCDsetResolution(handle, options.resolution), 0u);
        EXPECT_EQ(PCDsetAbort(handle, options.abort, options.data), 0u);
        EXPECT_EQ(PCDsetProgress(handle, options.progress, options.data), 0u);
        void* image = nullptr;
        out.error = PCDloadImage(handle, nullptr, &image);
        out.block = static_cast<std::uint8_t*>(image);
        EXPECT_EQ(PCDrefClose(handle), 0u);
    }
    ::close(fd);
}

class PhotoCdLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        s_ready = haveImageMagick() && makeBasePcd(*s_dir / "land.pcd", false)
            && makeBasePcd(*s_dir / "portrait.pcd", true);
    }
    static void TearDownTestSuite() { delete s_dir; }
    void SetUp() override
    {
        GLIMMER_REQUIRE(s_ready, "ImageMagick cannot make Photo CD files here");
    }
    static std::filesystem::path file(const char* name) { return *s_dir / name; }

    static TempDir* s_dir;
    static bool s_ready;
};

TempDir* PhotoCdLibraryTest::s_dir = nullptr;
bool PhotoCdLibraryTest::s_ready = false;

TEST_F(PhotoCdLibraryTest, EveryResolutionHasItsSizeInBothOrientations)
{
    const int sizes[][2] = { { 192, 128 }, { 384, 256 }, { 768, 512 }, { 1536, 1024 }, { 3072, 2048 } };
    for (int code = PCD_RES_BASE16; code <= PCD_RES_16BASE; ++code) {
        SCOPED_TRACE(code);
        Loaded land, portrait;
        load(file("land.pcd"), { .resolution = code }, land);
        load(file("portrait.pcd"), { .resolution = code }, portrait);
        ASSERT_EQ(land.error, 0u);
        ASSERT_EQ(portrait.error, 0u);
        EXPECT_EQ(land.width(), sizes[code - 1][0]);
        EXPECT_EQ(land.height(), sizes[code - 1][1]);
        EXPECT_EQ(portrait.width(), sizes[code - 1][1]);
        EXPECT_EQ(portrait.height(), sizes[code - 1][0]);
        EXPECT_EQ(land.field(0), 40);
        EXPECT_EQ(land.bits(), 24);
        EXPECT_EQ(land.field(20), std::int32_t(land.rowSize()) * land.height()); // biSizeImage
        EXPECT_EQ(land.field(24), 0); // no resolution: the caller supplies its default
        EXPECT_EQ(land.field(32), 0); // no colours in use
    }
}

TEST_F(PhotoCdLibraryTest, GrayPortraitIsTurnedUprightLikeImageMagicksDecode)
{
    Loaded gray;
    load(file("portrait.pcd"), { .format = PCD_FORMAT_GRAY8, .resolution = PCD_RES_BASE }, gray);
    ASSERT_EQ(gray.error, 0u);
    ASSERT_EQ(gray.bits(), 8);
    EXPECT_EQ(gray.field(32), 256);
    for (int i : { 0, 77, 255 })
        EXPECT_EQ(gray.block[40 + 4 * i] + gray.block[41 + 4 * i] + gray.block[42 + 4 * i], 3 * i);

    const auto reference = imageMagickYcc(file("portrait.pcd"), 3);
    ASSERT_TRUE(reference);
    ASSERT_EQ(reference->width, gray.width());
    ASSERT_EQ(reference->height, gray.height());
    int wrong = 0;
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x)
            wrong += *gray.pixel(x, y) != ycc::toGray(reference->at(x, y)[0]);
    EXPECT_EQ(wrong, 0);
    // The source was yellow at the top and navy at the bottom (inside the writer's white border).
    EXPECT_GT(*gray.pixel(256, 120), *gray.pixel(256, 640) + 100);
}

TEST_F(PhotoCdLibraryTest, ColoursFollowThePhotoYccConversion)
{
    Loaded rgb;
    load(file("land.pcd"), {}, rgb);
    ASSERT_EQ(rgb.error, 0u);
    const auto reference = imageMagickYcc(file("land.pcd"), 3);
    ASSERT_TRUE(reference);
    int worst = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const auto expected = ycc::toRgb(reference->at(x, y)[0], reference->at(x, y)[1], reference->at(x, y)[2]);
            const std::uint8_t* p = rgb.pixel(x, y);
            worst = std::max({ worst, std::abs(p[0] - expected.blue), std::abs(p[1] - expected.green),
                std::abs(p[2] - expected.red) });
        }
    EXPECT_LE(worst, 3); // one chroma level of interpolation difference, scaled by the conversion
    // The white patch drawn at (100..300, 100..200), red at the top, the green disc.
    const std::uint8_t* white = rgb.pixel(200, 150);
    EXPECT_GT(std::min({ white[0], white[1], white[2] }), 240);
    const std::uint8_t* top = rgb.pixel(600, 10);
    EXPECT_GT(top[2], 200);
    EXPECT_LT(top[0], 80);
    const std::uint8_t* disc = rgb.pixel(600, 300);
    EXPECT_GT(disc[1], 200);
    EXPECT_LT(std::max(disc[0], disc[2]), 80);
}

TEST_F(PhotoCdLibraryTest, AllFourRotationCodesTurnThePicture)
{
    std::vector<std::uint8_t> pack = readBytes(file("land.pcd"));
    Loaded turned[4];
    for (int code = 0; code < 4; ++code) {
        pack[0xE02] = std::uint8_t(code);
        const auto path = file(("rot" + std::to_string(code) + ".pcd").c_str());
        writeBytes(path, pack);
        load(path, { .format = PCD_FORMAT_GRAY8, .resolution = PCD_RES_BASE4 }, turned[code]);
        ASSERT_EQ(turned[code].error, 0u);
    }
    const int w = 384, h = 256;
    ASSERT_EQ(turned[1].width(), h);
    ASSERT_EQ(turned[3].height(), w);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t v = *turned[0].pixel(x, y);
            wrong += *turned[1].pixel(y, w - 1 - x) != v; // counter-clockwise quarter turn
            wrong += *turned[2].pixel(w - 1 - x, h - 1 - y) != v;
            wrong += *turned[3].pixel(h - 1 - y, x) != v; // clockwise quarter turn
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(PhotoCdLibraryTest, AbortTestIsAskedDuringLoadingAndStopsIt)
{
    struct Counts {
        int abortCalls = 0;
        int stopAt = 0;
        long lastDone = 0;
        long total = 0;
    } counts;
    const PCDAbortTest abort = [](void* data) {
        auto* c = static_cast<Counts*>(data);
        return ++c->abortCalls == c->stopAt ? 1 : 0;
    };
    const PCDProgress progress = [](long done, long total, void* data) {
        auto* c = static_cast<Counts*>(data);
        EXPECT_GE(done, c->lastDone);
        c->lastDone = done;
        c->total = total;
    };
    const std::vector<std::uint8_t> synthetic = withResiduals(
        readBytes(file("land.pcd")), [](int, int x, int) { return x % 3 - 1; }, nullptr, false);
    writeBytes(file("coded4.pcd"), synthetic);

    Loaded whole;
    load(file("coded4.pcd"), { .resolution = PCD_RES_4BASE, .abort = abort, .data = &counts, .progress = progress },
        whole);
    EXPECT_EQ(whole.error, 0u);
    EXPECT_GT(counts.abortCalls, 1000); // asked between the coded rows
    EXPECT_EQ(counts.lastDone, counts.total);

    counts = Counts { .stopAt = 500 };
    Loaded stopped;
    load(file("coded4.pcd"), { .resolution = PCD_RES_4BASE, .abort = abort, .data = &counts, .progress = progress },
        stopped);
    EXPECT_EQ(stopped.error, unsigned(PCD_ERROR_ABORTED));
    EXPECT_EQ(stopped.block, nullptr);
    EXPECT_EQ(counts.abortCalls, 500);
}

TEST_F(PhotoCdLibraryTest, BadFilesAndArgumentsGiveErrorCodes)
{
    writeBytes(file("empty.pcd"), {});
    writeBytes(file("text.pcd"), std::vector<std::uint8_t>(5000, 'a'));
    auto pack = readBytes(file("land.pcd"));
    pack.resize(100 * 2048);
    writeBytes(file("cut.pcd"), pack);

    Loaded empty, text, cut, cutSmall;
    load(file("empty.pcd"), {}, empty);
    EXPECT_EQ(empty.error, unsigned(PCD_ERROR_READ));
    load(file("text.pcd"), {}, text);
    EXPECT_EQ(text.error, unsigned(PCD_ERROR_NOT_PCD));
    load(file("cut.pcd"), {}, cut);
    EXPECT_EQ(cut.error, unsigned(PCD_ERROR_READ));
    EXPECT_EQ(cut.block, nullptr);
    load(file("cut.pcd"), { .resolution = PCD_RES_BASE4 }, cutSmall);
    EXPECT_EQ(cutSmall.error, 0u);

    const int fd = ::open(file("land.pcd").c_str(), O_RDONLY);
    PCDHandle handle = nullptr;
    ASSERT_EQ(PCDrefOpen(fd, &handle), 0u);
    ::close(fd);
    EXPECT_EQ(PCDsetResolution(handle, 0), unsigned(PCD_ERROR_ARGUMENT));
    EXPECT_EQ(PCDsetResolution(handle, 6), unsigned(PCD_ERROR_ARGUMENT));
    EXPECT_EQ(PCDsetFormat(handle, 12), unsigned(PCD_ERROR_ARGUMENT));
    void* image = nullptr;
    int reserved = 0;
    EXPECT_EQ(PCDloadImage(handle, &reserved, &image), unsigned(PCD_ERROR_ARGUMENT));
    EXPECT_EQ(PCDloadImage(handle, nullptr, &image), 0u); // the file may be closed once the pack is open
    std::free(image);
    EXPECT_EQ(PCDrefClose(handle), 0u);
    EXPECT_EQ(PCDrefOpen(-1, &handle), unsigned(PCD_ERROR_READ));
    EXPECT_EQ(PCDsetFormat(nullptr, PCD_FORMAT_RGB24), unsigned(PCD_ERROR_ARGUMENT));
}

} // namespace
} // namespace gp::test
