// Thumbnails with twice the stored thumbnail's pixels each way, made from the photo files for
// grids on high-density screens: the quick JPEG road must give what sampling the fully read photo
// gives, every photo's must be exactly twice its stored thumbnail, files that are gone or changed
// must give none (and not be tried again), and the cache must stay within its bytes.

#include "album/AlbumPhotoReader.h"
#include "album/DenseThumbnails.h"
#include "album/JpegThumbnail.h"
#include "album/ThumbnailDiskCache.h"
#include "app/App.h"
#include "codecs/JpegReader.h"
#include "codecs/WriteImageFile.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

#include <atomic>
#include <future>
#include <utility>
#include <chrono>
#include <filesystem>

using namespace gp;

namespace {

struct DenseThumbnailsTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    App app { host, paths() };

    Paths paths() const
    {
        Paths p;
        p.settingsDir = p.programDir = p.dataDir = p.libraryDir = dir.path();
        return p;
    }

    // Writes a photo (type 6 JPEG, type 1 BMP) and answers its album item.
    PhotoItem photoFile(const std::string& name, int type, const Image& photo)
    {
        const std::string path = (dir / name).string();
        EXPECT_EQ(writeImageFile(app.imageFiles(), type, photo, path), WriteResult::Written);
        const std::optional<Image> read = readPhotoQuietly(app.imageFiles(), path, PhotoCdReadMode::AlbumThumbnail);
        EXPECT_TRUE(read) << path;
        return *makeThumbnail(*read, path, app.allocator());
    }

    // The dense thumbnail the ordinary road gives: the whole photo read, sampled at twice the
    // stored thumbnail's size.
    Image ordinaryDense(const PhotoItem& item)
    {
        const std::optional<Image> read = readPhotoQuietly(app.imageFiles(), item.record.path, PhotoCdReadMode::AlbumThumbnail);
        Image dense = Image::create(2 * item.record.thumbnailWidth, 2 * item.record.thumbnailHeight, 24).value();
        sampleWholePhoto(*read, dense);
        return dense;
    }

    DenseThumbnails cache(std::size_t bytes = std::size_t(8) << 20)
    {
        return DenseThumbnails(backgroundPhotoReader(app.imageFiles()), 2, bytes, kDefaultBlockCeiling);
    }
};

// A JPEG of a 24-bit photo with one APP segment of the given marker and payload.
void writeJpegWithSegment(const std::string& path, const Image& photo, int marker, const std::string& payload)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(photo.width());
    info.image_height = JDIMENSION(photo.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    jpeg_write_marker(&info, marker, reinterpret_cast<const JOCTET*>(payload.data()), unsigned(payload.size()));
    for (int y = 0; y < photo.height(); ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(photo.row(y));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// An EXIF block whose first image directory holds only the orientation tag.
std::string exifWithOrientation(int tag)
{
    const char bytes[] = { 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, // TIFF header, directory at 8
        1, 0, // one entry
        0x12, 0x01, 3, 0, 1, 0, 0, 0, char(tag), 0, 0, 0, // Orientation, SHORT, 1 value
        0, 0, 0, 0 }; // no next directory
    return std::string(bytes, sizeof bytes);
}

std::vector<std::uint8_t> pixelsOf(const Image& image)
{
    const auto pixels = image.pixels();
    return { pixels.begin(), pixels.end() };
}

TEST_F(DenseThumbnailsTest, QuickJpegRoadEqualsTheOrdinaryOneAtTwiceTheStoredSize)
{
    const std::vector<std::pair<int, int>> sizes { { 3001, 2000 }, { 97, 301 }, { 150, 97 }, { 1001, 3 }, { 640, 480 } };
    for (const auto& [w, h] : sizes) {
        const PhotoItem item = photoFile("p" + std::to_string(w) + "x" + std::to_string(h) + ".jpg", 6, test::gradientPhoto(w, h));
        const std::optional<SizedThumbnail> quick = jpegThumbnail(item.record.path, kDefaultBlockCeiling, 2);
        ASSERT_TRUE(quick) << item.record.path;
        EXPECT_EQ(quick->photo, (Size { w, h }));
        EXPECT_EQ(quick->thumbnail.width(), 2 * item.record.thumbnailWidth) << w << "x" << h;
        EXPECT_EQ(quick->thumbnail.height(), 2 * item.record.thumbnailHeight) << w << "x" << h;
        EXPECT_EQ(pixelsOf(quick->thumbnail), pixelsOf(ordinaryDense(item))) << w << "x" << h;
    }
    // Density 1 is the album's own thumbnail.
    const PhotoItem item = photoFile("one.jpg", 6, test::gradientPhoto(500, 300));
    const std::optional<SizedThumbnail> one = jpegThumbnail(item.record.path, kDefaultBlockCeiling, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->thumbnail.packed().size(), item.thumbnail.size());
    EXPECT_TRUE(std::equal(item.thumbnail.begin(), item.thumbnail.end(), one->thumbnail.packed().begin()));
    EXPECT_FALSE(jpegThumbnail(item.record.path, kDefaultBlockCeiling, 0));
}

TEST_F(DenseThumbnailsTest, TurnedOrProfiledJpegsAreLeftToTheOrdinaryReader)
{
    // The ordinary reader turns the first upright and converts the second's profile (a damaged
    // one here, which it leaves alone); the quick road must not make thumbnails of its own.
    const std::string turned = (dir / "turned.jpg").string();
    writeJpegWithSegment(turned, test::gradientPhoto(300, 200), JPEG_APP0 + 1, exifWithOrientation(6));
    const std::string profiled = (dir / "profiled.jpg").string();
    writeJpegWithSegment(profiled, test::gradientPhoto(300, 200), JPEG_APP0 + 2,
        std::string("ICC_PROFILE\0\1\1", 14) + std::string(200, 'x'));
    const std::string upright = (dir / "upright.jpg").string();
    writeJpegWithSegment(upright, test::gradientPhoto(300, 200), JPEG_APP0 + 1, exifWithOrientation(1));
    for (const std::string& path : { turned, profiled }) {
        EXPECT_FALSE(jpegThumbnailItem(path, kDefaultBlockCeiling)) << path;
        EXPECT_FALSE(jpegThumbnail(path, kDefaultBlockCeiling, 2)) << path;
    }
    EXPECT_TRUE(jpegThumbnail(upright, kDefaultBlockCeiling, 2)) << "an orientation of 1 changes nothing";

    const std::optional<Image> read = readPhotoQuietly(app.imageFiles(), turned, PhotoCdReadMode::AlbumThumbnail);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->width(), 200) << "the ordinary reader turned it";
    const PhotoItem item = *makeThumbnail(*read, turned, app.allocator());
    DenseThumbnails dense = cache();
    dense.want({ item.record });
    dense.waitUntilIdle();
    const std::shared_ptr<const Image> made = dense.find(item.record);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->width(), 2 * item.record.thumbnailWidth);
    EXPECT_EQ(pixelsOf(*made), pixelsOf(ordinaryDense(item)));
}

TEST_F(DenseThumbnailsTest, MakesJpegAndOtherPhotosOnTheWorkerAndTellsTheListener)
{
    DenseThumbnails dense = cache();
    std::atomic<int> told { 0 };
    dense.addListener(this, [&told] { ++told; });
    const PhotoItem jpeg = photoFile("a.jpg", 6, test::gradientPhoto(800, 600));
    const PhotoItem bmp = photoFile("b.bmp", 1, test::gradientPhoto(301, 450));
    const PhotoItem small = photoFile("c.bmp", 1, test::gradientPhoto(60, 40));
    EXPECT_FALSE(DenseThumbnails::gainsDetail(small.record)) << "its stored thumbnail is the whole photo";
    EXPECT_EQ(dense.find(jpeg.record), nullptr);

    dense.want({ jpeg.record, bmp.record, small.record });
    dense.waitUntilIdle();
    EXPECT_EQ(told.load(), 2);
    EXPECT_EQ(dense.countKept(), 2u);
    for (const PhotoItem* item : { &jpeg, &bmp }) {
        const std::shared_ptr<const Image> made = dense.find(item->record);
        ASSERT_NE(made, nullptr) << item->record.path;
        EXPECT_EQ((Size { made->width(), made->height() }), dense.sizeFor(item->record));
        EXPECT_EQ(pixelsOf(*made), pixelsOf(ordinaryDense(*item))) << item->record.path;
    }
    EXPECT_EQ(dense.find(small.record), nullptr);

    // Asking again makes nothing again.
    dense.want({ jpeg.record, bmp.record });
    dense.waitUntilIdle();
    EXPECT_EQ(told.load(), 2);
    dense.removeListener(this);
}

TEST_F(DenseThumbnailsTest, MissingOrChangedFilesGetNoneAndAreNotTriedAgain)
{
    DenseThumbnails dense = cache();
    PhotoItem gone = photoFile("gone.jpg", 6, test::gradientPhoto(400, 300));
    std::filesystem::remove(gone.record.path);
    // The file now holds a photo of another size than the album recorded (the JPEG and the
    // ordinary road both check).
    PhotoItem changed = photoFile("changed.jpg", 6, test::gradientPhoto(400, 300));
    photoFile("changed.jpg", 6, test::gradientPhoto(300, 400));
    PhotoItem changedBmp = photoFile("changed.bmp", 1, test::gradientPhoto(400, 300));
    photoFile("changed.bmp", 1, test::gradientPhoto(401, 300));
    // Damaged data: neither road can read it.
    PhotoItem damaged = photoFile("damaged.jpg", 6, test::gradientPhoto(400, 300));
    std::filesystem::resize_file(damaged.record.path, 100);

    std::atomic<int> told { 0 };
    dense.addListener(this, [&told] { ++told; });
    dense.want({ gone.record, changed.record, changedBmp.record, damaged.record });
    dense.waitUntilIdle();
    for (const PhotoItem* item : { &gone, &changed, &changedBmp, &damaged })
        EXPECT_EQ(dense.find(item->record), nullptr) << item->record.path;
    EXPECT_EQ(told.load(), 0);
    EXPECT_EQ(dense.countKept(), 4u) << "the failures are remembered";

    // Remembered failures are not read again, even when the file comes back.
    photoFile("gone.jpg", 6, test::gradientPhoto(400, 300));
    dense.want({ gone.record });
    dense.waitUntilIdle();
    EXPECT_EQ(dense.find(gone.record), nullptr);
    // A record of the new file (another size stamp) is a new photo.
    const PhotoItem renewed = photoFile("changed.jpg", 6, test::gradientPhoto(300, 400));
    dense.want({ renewed.record });
    dense.waitUntilIdle();
    EXPECT_NE(dense.find(renewed.record), nullptr);
    dense.removeListener(this);
}

TEST_F(DenseThumbnailsTest, KeepsWithinItsBytesForgettingTheLeastRecentlyAsked)
{
    std::vector<PhotoItem> items;
    for (int i = 0; i < 4; ++i)
        items.push_back(photoFile("p" + std::to_string(i) + ".jpg", 6, test::gradientPhoto(960 + i, 640)));
    // 192 x 128 pixels, 73,728 bytes and the header each: room for two.
    DenseThumbnails dense = cache(2 * 75000);
    dense.want({ items[0].record, items[1].record });
    dense.waitUntilIdle();
    ASSERT_NE(dense.find(items[0].record), nullptr); // now the most recently asked
    dense.want({ items[2].record });
    dense.waitUntilIdle();
    EXPECT_EQ(dense.countKept(), 2u);
    EXPECT_LE(dense.bytesKept(), std::size_t(2 * 75000));
    EXPECT_NE(dense.find(items[0].record), nullptr);
    EXPECT_EQ(dense.find(items[1].record), nullptr);
    EXPECT_NE(dense.find(items[2].record), nullptr);

    // A newer wish list replaces the one before: only the photos still wanted are made. The
    // listener holds the worker after its first thumbnail while the wishes change.
    DenseThumbnails fresh = cache();
    std::promise<void> reached, release;
    std::shared_future<void> released = release.get_future().share();
    bool first = true;
    fresh.addListener(this, [&] {
        if (!std::exchange(first, false)) return;
        reached.set_value();
        released.wait();
    });
    fresh.want({ items[0].record, items[1].record, items[2].record });
    reached.get_future().wait();
    fresh.want({ items[3].record });
    release.set_value();
    fresh.waitUntilIdle();
    fresh.removeListener(this);
    EXPECT_EQ(fresh.countKept(), 2u);
    EXPECT_NE(fresh.find(items[0].record), nullptr);
    EXPECT_NE(fresh.find(items[3].record), nullptr);
}

// The reader of a cache, with the files it was asked for.
struct CountingReader {
    DenseThumbnails::Reader read;
    std::shared_ptr<std::vector<std::string>> asked = std::make_shared<std::vector<std::string>>();

    DenseThumbnails::Reader reader() const
    {
        return [read = read, asked = asked](const std::string& path) {
            asked->push_back(path);
            return read(path);
        };
    }
};

TEST_F(DenseThumbnailsTest, TheFolderOnDiskServesLaterRunsWhileThePhotoIsUnchanged)
{
    const std::filesystem::path folder = dir / "cache";
    const PhotoItem bmp = photoFile("kept.bmp", 1, test::gradientPhoto(500, 333));
    const Image expected = ordinaryDense(bmp);
    CountingReader first { backgroundPhotoReader(app.imageFiles()) };
    {
        DenseThumbnails dense(first.reader(), 2, std::size_t(8) << 20, kDefaultBlockCeiling);
        dense.keepOnDisk(folder, std::size_t(8) << 20);
        dense.want({ bmp.record });
        dense.waitUntilIdle();
        ASSERT_NE(dense.find(bmp.record), nullptr);
    }
    EXPECT_EQ(*first.asked, std::vector<std::string> { bmp.record.path });
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u) << "one file, and no temporary one left";
    EXPECT_EQ(files[0].extension(), ".bmp");

    // A later run reads the folder's file, not the photo.
    CountingReader second { backgroundPhotoReader(app.imageFiles()) };
    {
        DenseThumbnails dense(second.reader(), 2, std::size_t(8) << 20, kDefaultBlockCeiling);
        dense.keepOnDisk(folder, std::size_t(8) << 20);
        dense.want({ bmp.record });
        dense.waitUntilIdle();
        const std::shared_ptr<const Image> kept = dense.find(bmp.record);
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(pixelsOf(*kept), pixelsOf(expected));
    }
    EXPECT_EQ(*second.asked, std::vector<std::string> { files[0].string() });

    // A file cut short is not even read (it could read with black rows): it is thrown away and
    // the thumbnail made from the photo again.
    std::filesystem::resize_file(files[0], 100);
    CountingReader third { backgroundPhotoReader(app.imageFiles()) };
    {
        DenseThumbnails dense(third.reader(), 2, std::size_t(8) << 20, kDefaultBlockCeiling);
        dense.keepOnDisk(folder, std::size_t(8) << 20);
        dense.want({ bmp.record });
        dense.waitUntilIdle();
        const std::shared_ptr<const Image> made = dense.find(bmp.record);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(pixelsOf(*made), pixelsOf(expected));
    }
    EXPECT_EQ(*third.asked, std::vector<std::string> { bmp.record.path });
    EXPECT_GT(std::filesystem::file_size(files[0]), 100u) << "written again whole";

    // Once the file holds another photo the folder's thumbnail is not shown for it.
    photoFile("kept.bmp", 1, test::gradientPhoto(333, 500));
    DenseThumbnails dense = cache();
    dense.keepOnDisk(folder, std::size_t(8) << 20);
    dense.want({ bmp.record });
    dense.waitUntilIdle();
    EXPECT_EQ(dense.find(bmp.record), nullptr);
}

TEST_F(DenseThumbnailsTest, TheFolderKeepsTheMostRecentlyUsedWithinItsBytes)
{
    const std::filesystem::path folder = dir / "trimmed";
    const Image thumbnail = test::gradientPhoto(192, 128);
    const std::uintmax_t fileBytes = 14 + thumbnail.packed().size();
    ThumbnailDiskCache disk(folder, 2 * fileBytes);
    ASSERT_TRUE(disk.store("a", thumbnail));
    ASSERT_TRUE(disk.store("b", thumbnail));
    ASSERT_TRUE(disk.store("c", thumbnail));
    const Size size { 192, 128 };
    // Times set apart explicitly: a was used last, b before c.
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(disk.fileFor("b", size), now - std::chrono::hours(2));
    std::filesystem::last_write_time(disk.fileFor("c", size), now - std::chrono::hours(1));
    std::filesystem::last_write_time(disk.fileFor("a", size), now - std::chrono::hours(3));
    disk.touch(disk.fileFor("a", size));
    disk.trim();
    EXPECT_TRUE(std::filesystem::exists(disk.fileFor("a", size)));
    EXPECT_FALSE(std::filesystem::exists(disk.fileFor("b", size)));
    EXPECT_TRUE(std::filesystem::exists(disk.fileFor("c", size)));
    EXPECT_NE(disk.fileFor("a", size), disk.fileFor("a", { 96, 64 })) << "each size its own file";

    // A folder that cannot be made leaves nothing and says so.
    const std::filesystem::path blocked = dir / "blocked";
    test::writeFile(blocked, "a file where the folder should be");
    ThumbnailDiskCache nowhere(blocked / "sub", 1 << 20);
    EXPECT_FALSE(nowhere.store("a", thumbnail));
}

} // namespace
