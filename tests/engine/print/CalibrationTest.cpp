#include "print/Calibration.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "image/Allocator.h"

#include <gtest/gtest.h>

#include <numeric>

namespace gp {
namespace {

using test::FakeHost;
using test::TempDir;

// A printcal.dat image with the header fields as the file keeps them.
std::vector<std::uint8_t> calibrationFile(const CalibrationTables& t, const char* tag = "PCAL")
{
    std::vector<std::uint8_t> bytes(kCalibrationHeaderSize);
    std::copy(tag, tag + 4, bytes.begin());
    bytes[4] = 0x00, bytes[5] = 0x01; // 256 entries
    bytes[6] = 5;
    bytes[8] = 8;
    bytes[12] = 0x00, bytes[13] = 0x05; // 1280 bytes of tables
    for (const LookupTable* table : { &t.master, &t.red, &t.green, &t.blue, &t.gray })
        bytes.insert(bytes.end(), table->begin(), table->end());
    return bytes;
}

// A red curve that doubles the low values and leaves the rest.
CalibrationTables redBoost()
{
    CalibrationTables t = CalibrationTables::identity();
    for (int i = 0; i < 128; ++i)
        t.red[std::size_t(i)] = std::uint8_t(2 * i);
    return t;
}

Image colourPhoto()
{
    Image image = Image::create(3, 20, 24).value(); // rows of 9 pixel bytes and 3 filler bytes
    for (int y = 0; y < image.height(); ++y)
        for (int i = 0; i < 9; ++i)
            image.row(y)[i] = std::uint8_t(10 * y + i);
    image.setResolution(11811, 11811);
    return image;
}

Image grayPhoto()
{
    Image image = Image::create(5, 4, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            image.row(y)[x] = std::uint8_t(20 * y + x);
    return image;
}

TEST(CalibrationFile, ReadsTheFiveTablesAfterTheTag)
{
    CalibrationTables t = redBoost();
    t.master[10] = 99;
    t.gray[255] = 7;
    auto parsed = parseCalibration(calibrationFile(t));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, t);
}

TEST(CalibrationFile, AnotherTagOrAShortFileGivesTheIdentity)
{
    TempDir dir;
    const std::vector<std::uint8_t> wrongTag = calibrationFile(redBoost(), "PCAX");
    EXPECT_EQ(parseCalibration(wrongTag).error().kind, ErrorKind::Malformed);
    test::writeFile(dir / "printcal.dat", std::string(wrongTag.begin(), wrongTag.end()));
    EXPECT_EQ(loadCalibration(dir / "printcal.dat"), CalibrationTables::identity());

    std::vector<std::uint8_t> shortFile = calibrationFile(redBoost());
    shortFile.resize(kCalibrationHeaderSize + kCalibrationDataSize - 1);
    EXPECT_EQ(parseCalibration(shortFile).error().kind, ErrorKind::Truncated);
    EXPECT_EQ(parseCalibration(std::vector<std::uint8_t> { 'P', 'C' }).error().kind, ErrorKind::Truncated);
    test::writeFile(dir / "short.dat", std::string(shortFile.begin(), shortFile.end()));
    EXPECT_EQ(loadCalibration(dir / "short.dat"), CalibrationTables::identity());

    EXPECT_EQ(loadCalibration(dir / "missing.dat"), CalibrationTables::identity());

    const std::vector<std::uint8_t> good = calibrationFile(redBoost());
    test::writeFile(dir / "good.dat", std::string(good.begin(), good.end()) + "trailing bytes");
    EXPECT_EQ(loadCalibration(dir / "good.dat"), redBoost());
}

TEST(WorkingTables, ChannelCurvesApplyAfterTheMasterCurve)
{
    CalibrationTables t = CalibrationTables::identity();
    std::iota(t.master.rbegin(), t.master.rend(), 0); // master inverts
    t.green[255] = 200;
    const WorkingTables w = workingTables(t, false);
    EXPECT_EQ(w.red[0], 255);
    EXPECT_EQ(w.green[0], 200);
    EXPECT_EQ(w.blue[255], 0);
    EXPECT_FALSE(w.isIdentity());
    // A grey image uses only the grey curve.
    EXPECT_TRUE(workingTables(t, true).isIdentity());
}

struct CalibratedCopyTest : ::testing::Test {
    FakeHost host;
    Allocator allocator { host };
    std::vector<int> progress;
    ProgressSink sink = [this](int p) { progress.push_back(p); };
};

TEST_F(CalibratedCopyTest, ARedCurveChangesOnlyTheRedChannelOfAColourPhoto)
{
    const Image photo = colourPhoto();
    auto copy = makeCalibratedCopy(photo, redBoost(), allocator, sink);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->xPelsPerMeter(), 11811);
    for (int i = 0; i < photo.height(); ++i) {
        const std::uint8_t* in = photo.storedRow(i);
        const std::uint8_t* out = copy->storedRow(i);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(out[3 * x], in[3 * x]);
            EXPECT_EQ(out[3 * x + 1], in[3 * x + 1]);
            const int red = in[3 * x + 2];
            EXPECT_EQ(out[3 * x + 2], red < 128 ? 2 * red : red);
        }
        for (int f = 9; f < 12; ++f)
            EXPECT_EQ(out[f], 0);
    }
    EXPECT_EQ(progress, (std::vector<int> { 0, 80, 100 }));
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(CalibratedCopyTest, AGrayPhotoIgnoresTheColourCurves)
{
    EXPECT_FALSE(makeCalibratedCopy(grayPhoto(), redBoost(), allocator, sink));

    CalibrationTables t = CalibrationTables::identity();
    for (int i = 0; i < 256; ++i)
        t.gray[std::size_t(i)] = std::uint8_t(255 - i);
    const Image photo = grayPhoto();
    auto copy = makeCalibratedCopy(photo, t, allocator, sink);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->row(1)[2], 255 - 22);
    EXPECT_EQ(copy->color(100), photo.color(100));
}

TEST_F(CalibratedCopyTest, IndexedImagesMapTheirColourTableAndKeepTheirPixels)
{
    Image photo = Image::create(7, 3, 4).value();
    photo.setColor(1, Rgbq { 10, 20, 30, 0 });
    photo.setColor(2, Rgbq { 200, 200, 200, 0 });
    photo.row(0)[0] = 0x12;
    photo.row(2)[3] = 0x21;
    auto copy = makeCalibratedCopy(photo, redBoost(), allocator, sink);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->color(1), (Rgbq { 10, 20, 60, 0 }));
    EXPECT_EQ(copy->color(2), (Rgbq { 200, 200, 200, 0 }));
    EXPECT_TRUE(std::equal(photo.pixels().begin(), photo.pixels().end(), copy->pixels().begin()));
    EXPECT_EQ(progress.back(), 100);
}

TEST_F(CalibratedCopyTest, NoCopyWhenNothingWouldChangeOrMemoryIsShort)
{
    EXPECT_FALSE(makeCalibratedCopy(colourPhoto(), CalibrationTables::identity(), allocator, sink));
    EXPECT_FALSE(makeCalibratedCopy(Image {}, redBoost(), allocator, sink));
    EXPECT_TRUE(progress.empty());

    allocator.setCeiling(64);
    EXPECT_FALSE(makeCalibratedCopy(colourPhoto(), redBoost(), allocator, sink));
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "There is not enough memory." }));
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(CalibratedCopyTest, ThePrintCommandsCopyNeedsTheFlagAndTheFile)
{
    TempDir dir;
    const std::vector<std::uint8_t> bytes = calibrationFile(redBoost());
    test::writeFile(dir / "printcal.dat", std::string(bytes.begin(), bytes.end()));
    const Image photo = colourPhoto();
    EXPECT_FALSE(makePrintCalibratedCopy(photo, 0, dir / "printcal.dat", allocator, sink));
    EXPECT_TRUE(makePrintCalibratedCopy(photo, 1, dir / "printcal.dat", allocator, sink));
    EXPECT_TRUE(makePrintCalibratedCopy(photo, -7, dir / "printcal.dat", allocator, sink));
    // Switched on without a file: the photo itself is printed.
    EXPECT_FALSE(makePrintCalibratedCopy(photo, 1, dir / "missing.dat", allocator, sink));
}

} // namespace
} // namespace gp
