// Adding many photos at once: the JPEG thumbnails made while keeping only the sampled rows must equal the ones
// made from the fully read photo, and the album must take the files in their given order
// whatever thread finishes first.

#include "album/AddToAlbum.h"
#include "album/AlbumPhotoReader.h"
#include "album/JpegThumbnail.h"
#include "album/ThumbnailPrefetch.h"
#include "codecs/JpegReader.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

using namespace gp;

namespace {

struct AlbumBatchTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    App app { host, paths() };

    Paths paths() const
    {
        Paths p;
        p.settingsDir = p.programDir = p.dataDir = p.libraryDir = dir.path();
        return p;
    }

    std::string jpeg(const std::string& name, const Image& image)
    {
        const std::string path = (dir / name).string();
        EXPECT_EQ(writeImageFile(app.imageFiles(), 6, image, path), WriteResult::Written);
        return path;
    }

    // The item the ordinary road makes: the whole photo read, then sampled.
    PhotoItem ordinaryItem(const std::string& path)
    {
        ReadResult read = readJpegFile(path, app.allocator());
        EXPECT_TRUE(read.ok());
        return *makeThumbnail(*read.image, path, app.allocator());
    }
};

Image grayPhoto(int width, int height)
{
    Image image = std::move(Image::create(width, height, 8, 256)).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.row(y)[x] = std::uint8_t((x * 7 + y * 3) ^ (x / 5));
    return image;
}

TEST_F(AlbumBatchTest, RowKeepingJpegThumbnailsEqualTheOrdinaryOnes)
{
    // Sizes around the thumbnail's and the JPEG blocks' edges, landscape and portrait, colour
    // and grayscale.
    const std::vector<std::pair<int, int>> sizes { { 3000, 2000 }, { 97, 301 }, { 96, 40 }, { 17, 9 }, { 1001, 1 },
        { 1, 700 }, { 640, 480 } };
    for (const auto& [w, h] : sizes) {
        for (const bool gray : { false, true }) {
            const std::string path
                = jpeg("p" + std::to_string(w) + "x" + std::to_string(h) + (gray ? "g" : "c") + ".jpg",
                    gray ? grayPhoto(w, h) : test::gradientPhoto(w, h));
            const std::optional<PhotoItem> quick = jpegThumbnailItem(path, kDefaultBlockCeiling);
            ASSERT_TRUE(quick) << path;
            const PhotoItem ordinary = ordinaryItem(path);
            EXPECT_EQ(quick->record, ordinary.record) << path;
            EXPECT_EQ(quick->thumbnail, ordinary.thumbnail) << path;
        }
    }
}

// A colour photo whose every pixel differs from its neighbours, so a row or a colour sample
// taken from the wrong place shows.
Image noisyPhoto(int width, int height)
{
    Image image = std::move(Image::create(width, height, 24)).value();
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 3 * width; ++x) {
            state = state * 1103515245u + 12345u;
            image.row(y)[x] = std::uint8_t(((x + y) & 0x7F) + (state >> 26));
        }
    return image;
}

// Writes image (24-bit, stored bottom-up) as a JPEG whose brightness has hSamp x vSamp samples for
// each colour sample, progressive if asked.
void writeSampledJpeg(const std::string& path, const Image& image, int hSamp, int vSamp, bool progressive)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(file);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    info.comp_info[0].h_samp_factor = hSamp;
    info.comp_info[0].v_samp_factor = vSamp;
    for (int c = 1; c < 3; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = image.height() - 1; y >= 0; --y) {
        JSAMPROW row = const_cast<JSAMPROW>(image.row(y));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

TEST_F(AlbumBatchTest, SkippedRowsLeaveEveryColourSamplingAsAFullDecodeMakesIt)
{
    // Colour at full and reduced resolution across and down, including the stretchings the
    // skipping cannot follow (those decode every row) and photos narrow enough to change how
    // the library stretches colour.
    const std::vector<std::pair<int, int>> samplings { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 2, 2 }, { 4, 1 }, { 4, 2 },
        { 1, 3 }, { 2, 4 } };
    const std::vector<std::pair<int, int>> sizes { { 1, 301 }, { 2, 300 }, { 3, 257 }, { 4, 299 }, { 5, 300 },
        { 17, 211 }, { 130, 999 }, { 701, 467 } };
    for (const auto& [hSamp, vSamp] : samplings)
        for (const auto& [w, h] : sizes)
            for (const bool progressive : { false, true }) {
                const std::string path = (dir / ("s" + std::to_string(hSamp) + "x" + std::to_string(vSamp) + "_"
                                              + std::to_string(w) + "x" + std::to_string(h)
                                              + (progressive ? "p" : "") + ".jpg"))
                                             .string();
                writeSampledJpeg(path, noisyPhoto(w, h), hSamp, vSamp, progressive);
                const std::optional<PhotoItem> quick = jpegThumbnailItem(path, kDefaultBlockCeiling);
                ASSERT_TRUE(quick) << path;
                EXPECT_EQ(quick->thumbnail, ordinaryItem(path).thumbnail) << path;
            }
}

TEST_F(AlbumBatchTest, TheQuickReaderLeavesDoubtfulFilesToTheOrdinaryRoad)
{
    const std::string good = jpeg("good.jpg", test::gradientPhoto(300, 200));
    std::string bytes = test::readFile(good);
    test::writeFile(dir / "cut.jpg", bytes.substr(0, bytes.size() / 2));
    EXPECT_FALSE(jpegThumbnailItem((dir / "cut.jpg").string(), kDefaultBlockCeiling)) << "truncated data";
    test::writeFile(dir / "text.jpg", "not a picture");
    EXPECT_FALSE(jpegThumbnailItem((dir / "text.jpg").string(), kDefaultBlockCeiling));
    EXPECT_FALSE(jpegThumbnailItem((dir / "none.jpg").string(), kDefaultBlockCeiling));
    EXPECT_FALSE(jpegThumbnailItem(good, 1000)) << "a photo above the block ceiling";

    // The ordinary road still adds the truncated file (its missing rows black), as before.
    AlbumList album;
    AlbumAdder adder { app.allocator(), albumPhotoReader(app.imageFiles()) };
    adder.prefetchWorkers = 2;
    EXPECT_EQ(addFilesToAlbum(album, { (dir / "cut.jpg").string(), (dir / "text.jpg").string(), good }, adder), 2);
    EXPECT_EQ(album.photos()[0].thumbnail, ordinaryItem((dir / "cut.jpg").string()).thumbnail);
}

TEST_F(AlbumBatchTest, BatchesKeepTheFilesOrderAndStopWhereTheyShould)
{
    std::vector<std::string> files;
    for (int i = 0; i < 24; ++i) {
        // Every third file a BMP, which only the calling thread reads; sizes vary so the
        // workers finish out of order.
        const Image photo = test::gradientPhoto(40 + (i % 5) * 300, 30 + i);
        if (i % 3 == 2) {
            const std::string path = (dir / ("f" + std::to_string(i) + ".bmp")).string();
            ASSERT_EQ(writeImageFile(app.imageFiles(), 1, photo, path), WriteResult::Written);
            files.push_back(path);
        } else {
            files.push_back(jpeg("f" + std::to_string(i) + ".jpg", photo));
        }
    }
    files.push_back(files[3]); // a duplicate is left out quietly

    AlbumList album;
    AlbumAdder adder { app.allocator(), albumPhotoReader(app.imageFiles()) };
    adder.prefetchWorkers = 3;
    std::vector<int> progress;
    adder.progress = [&](int done, int total) {
        EXPECT_EQ(total, 25);
        progress.push_back(done);
    };
    std::vector<AddOutcome> outcomes;
    EXPECT_EQ(addFilesToAlbum(album, files, adder, &outcomes), 24);
    ASSERT_EQ(album.count(), 24);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(album.photos()[std::size_t(i)].record.path, files[std::size_t(i)]);
    EXPECT_EQ(outcomes.back(), AddOutcome::Duplicate);
    EXPECT_EQ(progress.size(), 25u);
    EXPECT_EQ(album.photos()[4].thumbnail, ordinaryItem(files[4]).thumbnail);

    // Escape after the fifth file stops the batch there.
    AlbumList stopped;
    int asked = 0;
    adder.abortRequested = [&] { return ++asked > 5; };
    EXPECT_EQ(addFilesToAlbum(stopped, files, adder), 5);
}

TEST_F(AlbumBatchTest, ThePrefetchAnswersNothingForFilesItDoesNotRead)
{
    const std::string a = jpeg("a.jpg", test::gradientPhoto(120, 80));
    ThumbnailPrefetch none({ a }, kDefaultBlockCeiling, 0);
    EXPECT_FALSE(none.take(0)) << "no workers, no prefetch";
    ThumbnailPrefetch some({ (dir / "b.bmp").string(), a }, kDefaultBlockCeiling, 1);
    EXPECT_FALSE(some.take(0));
    ASSERT_TRUE(some.take(1));
    EXPECT_FALSE(some.take(7));
}

} // namespace
