#include "codecs/JpegReader.h"
#include "codecs/JpegWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "image/ImageType.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace gp;
using namespace gp::test;

namespace {

struct Jpeg : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host, std::size_t(256) << 20 };

    void SetUp() override
    {
        GLIMMER_REQUIRE_TOOLS("cjpeg", "djpeg", "convert");
        ASSERT_TRUE(runTool("convert -size 97x61 -seed 7 plasma: -depth 8 ppm:" + path("in.ppm")));
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // Our decode and djpeg's decode of the same file, which must agree exactly.
    void expectSameAsDjpeg(const std::string& name, const Image& image)
    {
        // djpeg exits with 2 after a warning (a file cut short) but still writes its picture.
        ASSERT_TRUE(runTool("djpeg -pnm -outfile " + path(name + ".pnm") + " " + path(name) + " 2>/dev/null; test -s "
            + path(name + ".pnm")));
        auto peer = readNetpbm(path(name + ".pnm"));
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(toRgb(image), *peer), 0);
    }

    std::string fileBytes(const std::string& name) const { return readFile(dir / name); }
};

// The first quantisation table's first value, found after the first DQT marker.
int firstQuantValue(const std::string& bytes)
{
    const std::size_t dqt = bytes.find("\xFF\xDB");
    return dqt == std::string::npos ? -1 : static_cast<unsigned char>(bytes[dqt + 5]);
}

} // namespace

TEST(JpegDensity, MapsBetweenJfifAndPixelsPerMetre)
{
    EXPECT_EQ(jfifDensityToPelsPerMeter(1, 72), 2834);
    EXPECT_EQ(jfifDensityToPelsPerMeter(1, 300), 11811);
    EXPECT_EQ(jfifDensityToPelsPerMeter(2, 28), 2800);
    EXPECT_EQ(jfifDensityToPelsPerMeter(0, 1), 0);
    EXPECT_EQ(pelsPerMeterToDpi(11811), 300u);
    EXPECT_EQ(pelsPerMeterToDpi(2834), 72u);
    EXPECT_EQ(pelsPerMeterToDpi(0), 0u);
    EXPECT_EQ(pelsPerMeterToDpi(-5), 0u);
    EXPECT_EQ(pelsPerMeterToDpi(2'000'000'000), 65535u);
}

TEST_F(Jpeg, ColourGrayAndProgressiveFilesDecodeExactlyAsDjpeg)
{
    ASSERT_TRUE(runTool("cjpeg -quality 85 -outfile " + path("rgb.jpg") + " " + path("in.ppm")));
    ASSERT_TRUE(runTool("cjpeg -grayscale -outfile " + path("gray.jpg") + " " + path("in.ppm")));
    ASSERT_TRUE(runTool("cjpeg -progressive -outfile " + path("prog.jpg") + " " + path("in.ppm")));

    ReadResult rgb = readJpegFile(path("rgb.jpg"), allocator);
    ASSERT_TRUE(rgb.ok()) << rgb.detail;
    EXPECT_EQ(imageTypeOf(&*rgb.image), ImageType::Rgb24);
    EXPECT_EQ(rgb.image->width(), 97);
    EXPECT_EQ(rgb.image->height(), 61);
    expectSameAsDjpeg("rgb.jpg", *rgb.image);

    ReadResult gray = readJpegFile(path("gray.jpg"), allocator);
    ASSERT_TRUE(gray.ok()) << gray.detail;
    EXPECT_EQ(imageTypeOf(&*gray.image), ImageType::Gray8);
    EXPECT_EQ(gray.image->colorCount(), 256);
    expectSameAsDjpeg("gray.jpg", *gray.image);

    ReadResult progressive = readJpegFile(path("prog.jpg"), allocator);
    ASSERT_TRUE(progressive.ok()) << progressive.detail;
    expectSameAsDjpeg("prog.jpg", *progressive.image);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Jpeg, DensityUnitsBecomePixelsPerMetre)
{
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -units PixelsPerInch -density 72 " + path("inch.jpg")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -units PixelsPerCentimeter -density 40 " + path("cm.jpg")));
    ASSERT_TRUE(runTool("cjpeg -outfile " + path("none.jpg") + " " + path("in.ppm")));
    ReadResult inch = readJpegFile(path("inch.jpg"), allocator);
    ReadResult cm = readJpegFile(path("cm.jpg"), allocator);
    ReadResult none = readJpegFile(path("none.jpg"), allocator);
    ASSERT_TRUE(inch.ok() && cm.ok() && none.ok());
    EXPECT_EQ(inch.image->xPelsPerMeter(), 2834);
    EXPECT_EQ(inch.image->yPelsPerMeter(), 2834);
    EXPECT_EQ(cm.image->xPelsPerMeter(), 4000);
    EXPECT_EQ(none.image->xPelsPerMeter(), 0);
    EXPECT_EQ(none.image->yPelsPerMeter(), 0);
}

TEST_F(Jpeg, CmykGarbageTruncatedAndMissingFiles)
{
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colorspace CMYK " + path("cmyk.jpg")));
    EXPECT_EQ(readJpegFile(path("cmyk.jpg"), allocator).status, ReadStatus::NoImage);

    writeFile(dir / "garbage.jpg", "\xFF\xD8\xFF\xE0 not really a JPEG stream at all");
    EXPECT_EQ(readJpegFile(path("garbage.jpg"), allocator).status, ReadStatus::NoImage);
    EXPECT_EQ(readJpegFile(path("absent.jpg"), allocator).status, ReadStatus::CannotRead);

    // A file cut short keeps its size; the library's own recovery fills what is missing.
    ASSERT_TRUE(runTool("cjpeg -outfile " + path("whole.jpg") + " " + path("in.ppm")));
    const std::string whole = fileBytes("whole.jpg");
    writeFile(dir / "cut.jpg", whole.substr(0, whole.size() / 2));
    ReadResult cut = readJpegFile(path("cut.jpg"), allocator);
    ASSERT_TRUE(cut.ok()) << cut.detail;
    EXPECT_EQ(cut.image->height(), 61);
    expectSameAsDjpeg("cut.jpg", *cut.image);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Jpeg, HugeDimensionsStopAtTheCeilingWithTheMemoryMessage)
{
    // A header claiming 60000 x 60000 pixels over a few bytes of data.
    ASSERT_TRUE(runTool("cjpeg -outfile " + path("small.jpg") + " " + path("in.ppm")));
    std::string bytes = fileBytes("small.jpg");
    const std::size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    bytes[sof + 5] = char(0xEA), bytes[sof + 6] = char(0x60); // height
    bytes[sof + 7] = char(0xEA), bytes[sof + 8] = char(0x60); // width
    writeFile(dir / "huge.jpg", bytes);
    EXPECT_EQ(readJpegFile(path("huge.jpg"), allocator).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
}

TEST_F(Jpeg, WrittenFilesReadBackIdenticallyWithTheirDensityAndQuality)
{
    ASSERT_TRUE(runTool("cjpeg -outfile " + path("src.jpg") + " " + path("in.ppm")));
    ReadResult rgb = readJpegFile(path("src.jpg"), allocator);
    ASSERT_TRUE(rgb.ok());
    rgb.image->setResolution(11811, 2835);
    ASSERT_EQ(writeJpegFile(path("out.jpg"), *rgb.image, 90, host), WriteResult::Written);
    ReadResult back = readJpegFile(path("out.jpg"), allocator);
    ASSERT_TRUE(back.ok());
    expectSameAsDjpeg("out.jpg", *back.image);
    const std::string out = fileBytes("out.jpg");
    ASSERT_EQ(out.substr(6, 5), std::string("JFIF\0", 5));
    EXPECT_EQ(out[13], 1); // dots per inch
    EXPECT_EQ((static_cast<unsigned char>(out[14]) << 8) | static_cast<unsigned char>(out[15]), 300);
    EXPECT_EQ((static_cast<unsigned char>(out[16]) << 8) | static_cast<unsigned char>(out[17]), 72);
    EXPECT_EQ(back.image->xPelsPerMeter(), 11811);
    // Close to the source at quality 90: every channel within a modest distance on average.
    long total = 0;
    const auto a = toRgb(*rgb.image), b = toRgb(*back.image);
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        total += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    EXPECT_LT(total / long(a.rgb.size()), 4);

    ASSERT_EQ(writeJpegFile(path("q1.jpg"), *rgb.image, 1, host), WriteResult::Written);
    ASSERT_EQ(writeJpegFile(path("q100.jpg"), *rgb.image, 100, host), WriteResult::Written);
    EXPECT_EQ(firstQuantValue(fileBytes("q100.jpg")), 1);
    EXPECT_EQ(firstQuantValue(fileBytes("q1.jpg")), 255);

    ASSERT_TRUE(runTool("cjpeg -grayscale -outfile " + path("g.jpg") + " " + path("in.ppm")));
    ReadResult gray = readJpegFile(path("g.jpg"), allocator);
    ASSERT_TRUE(gray.ok());
    ASSERT_EQ(writeJpegFile(path("gout.jpg"), *gray.image, 90, host), WriteResult::Written);
    ReadResult grayBack = readJpegFile(path("gout.jpg"), allocator);
    ASSERT_TRUE(grayBack.ok());
    EXPECT_EQ(imageTypeOf(&*grayBack.image), ImageType::Gray8);
    expectSameAsDjpeg("gout.jpg", *grayBack.image);
    EXPECT_EQ(out.find("\xFF\xC2"), std::string::npos); // baseline, never progressive
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Jpeg, IndexedImagesAndUncreatableFilesAreRefusedWithTheirMessages)
{
    Image indexed = std::move(Image::create(4, 4, 8)).value();
    EXPECT_EQ(writeJpegFile(path("idx.jpg"), indexed, 90, host), WriteResult::Reported);
    EXPECT_FALSE(std::filesystem::exists(dir / "idx.jpg"));
    Image rgb = std::move(Image::create(4, 4, 24)).value();
    EXPECT_EQ(writeJpegFile("/nonexistent-folder/a.jpg", rgb, 90, host), WriteResult::Reported);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
        "JPEG format is not available for indexed image. Please convert to 24-bit "
        "true color or 8-bit Grayscale.");
    EXPECT_EQ(host.messages[1].text, "Insufficient disk space or disk error.");
}
