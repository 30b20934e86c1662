// The Photo CD decoder against ImageMagick's decodes of the same packs: the base levels from
// ImageMagick-made files, 4Base from the format notes' residual tool, 16Base from our test writer.

#include "ExternalTools.h"
#include "PcdDecoder.h"
#include "PcdResiduals.h"
#include "PcdTestFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace gp::test {
namespace {

using pcd::Level;

class PcdDecoderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        s_ready = haveImageMagick() && makeBasePcd(*s_dir / "land.pcd", false);
    }
    static void TearDownTestSuite() { delete s_dir; }

    void SetUp() override
    {
        GLIMMER_REQUIRE(s_ready, "ImageMagick cannot make Photo CD files here");
        m_pack = readBytes(*s_dir / "land.pcd");
    }

    static pcd::YccPicture decode(const std::vector<std::uint8_t>& file, Level level)
    {
        auto info = pcd::readPackInfo(file);
        EXPECT_TRUE(info.ok());
        auto picture = pcd::decodePicture(file, *info, level, {});
        EXPECT_TRUE(picture.ok()) << (picture.ok() ? "" : picture.error().message);
        return picture.ok() ? std::move(*picture) : pcd::YccPicture {};
    }

    // Counts luma samples that differ from the first channel of ImageMagick's decode.
    static int lumaMismatches(const pcd::Plane& luma, const RgbPicture& reference)
    {
        EXPECT_EQ(luma.width, reference.width);
        EXPECT_EQ(luma.height, reference.height);
        if (luma.width != reference.width || luma.height != reference.height)
            return -1;
        int mismatches = 0;
        for (int y = 0; y < luma.height; ++y)
            for (int x = 0; x < luma.width; ++x)
                mismatches += luma.at(x, y) != reference.at(x, y)[0];
        return mismatches;
    }

    static TempDir* s_dir;
    static bool s_ready;
    std::vector<std::uint8_t> m_pack;
};

TempDir* PcdDecoderTest::s_dir = nullptr;
bool PcdDecoderTest::s_ready = false;

TEST_F(PcdDecoderTest, BaseLevelsMatchImageMagick)
{
    const std::pair<Level, int> levels[] = { { Level::Base16, 1 }, { Level::Base4, 2 }, { Level::Base, 3 } };
    for (auto [level, scene] : levels) {
        SCOPED_TRACE(scene);
        const auto picture = decode(m_pack, level);
        ASSERT_EQ(picture.luma.width, pcd::storedWidth(level));
        ASSERT_EQ(picture.c1.width, pcd::storedWidth(level) / 2);
        auto reference = imageMagickYcc(*s_dir / "land.pcd", scene);
        ASSERT_TRUE(reference);
        EXPECT_EQ(lumaMismatches(picture.luma, *reference), 0);
        // Chroma doubled for display agrees with ImageMagick's interpolation within a level.
        const pcd::Plane c1 = pcd::upsample(picture.c1);
        const pcd::Plane c2 = pcd::upsample(picture.c2);
        int worst = 0;
        for (int y = 0; y < c1.height; ++y)
            for (int x = 0; x < c1.width; ++x) {
                worst = std::max(worst, std::abs(c1.at(x, y) - reference->at(x, y)[1]));
                worst = std::max(worst, std::abs(c2.at(x, y) - reference->at(x, y)[2]));
            }
        EXPECT_LE(worst, 1);
    }
}

TEST_F(PcdDecoderTest, FourBaseResidualsFromTheFormatToolMatchImageMagick)
{
    const std::string tools = formatToolsDir();
    GLIMMER_REQUIRE(!tools.empty() && runTool("python3 -c 1"), "format tools or python3 missing");
    const auto synthetic = *s_dir / "pattern4.pcd";
    ASSERT_TRUE(runTool("python3 '" + tools + "/pcd_synth.py' '" + (*s_dir / "land.pcd").string() + "' '"
        + synthetic.string() + "' 4 pattern"));
    const auto file = readBytes(synthetic);
    EXPECT_EQ(pcd::readPackInfo(file)->highest, Level::FourBase);
    const auto picture = decode(file, Level::FourBase);
    ASSERT_EQ(picture.luma.width, 1536);
    ASSERT_EQ(picture.c1.width, 768);
    auto reference = imageMagickYcc(synthetic, 4);
    ASSERT_TRUE(reference);
    EXPECT_EQ(lumaMismatches(picture.luma, *reference), 0);
}

TEST_F(PcdDecoderTest, SixteenBaseLumaResidualsMatchImageMagick)
{
    const ResidualPattern pattern = [](int, int x, int y) { return (x * 5 + y * 11) % 17 - 8; };
    const auto synthetic = *s_dir / "pattern16.pcd";
    writeBytes(synthetic, withResiduals(m_pack, pattern, &pattern, false));
    const auto picture = decode(readBytes(synthetic), Level::SixteenBase);
    ASSERT_EQ(picture.luma.width, 3072);
    ASSERT_EQ(picture.luma.height, 2048);
    auto reference = imageMagickYcc(synthetic, 5);
    ASSERT_TRUE(reference);
    // ImageMagick doubles one sample of the first row, (3, 0), without interpolating; every other
    // one of the 6 291 456 samples must agree.
    EXPECT_LE(lumaMismatches(picture.luma, *reference), 1);
}

TEST_F(PcdDecoderTest, SixteenBaseChromaResidualsAddToDoubledChroma)
{
    // The installed ImageMagick refuses 16Base chroma rows, so the judge is the pack without
    // residuals: each chroma sample must move by exactly its residual (short of clipping).
    const ResidualPattern zero = [](int, int, int) { return 0; };
    const ResidualPattern chroma
        = [](int plane, int x, int y) { return plane == 0 ? 0 : (plane == 1 ? 3 : -(x + y) % 5); };
    const auto plain = decode(m_pack, Level::SixteenBase);
    const auto coded = decode(withResiduals(m_pack, zero, &chroma, true), Level::SixteenBase);
    ASSERT_EQ(coded.c1.width, 1536);
    ASSERT_EQ(coded.c1.height, 1024);
    EXPECT_EQ(coded.luma.samples, plain.luma.samples);
    int wrong = 0;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1536; ++x) {
            wrong += coded.c1.at(x, y) != std::min(255, plain.c1.at(x, y) + 3);
            wrong += coded.c2.at(x, y) != std::max(0, plain.c2.at(x, y) - (x + y) % 5);
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(PcdDecoderTest, LevelsMissingFromThePackAreBaseScaledUp)
{
    const auto base = decode(m_pack, Level::Base);
    for (Level level : { Level::FourBase, Level::SixteenBase }) {
        const auto picture = decode(m_pack, level);
        ASSERT_EQ(picture.luma.width, pcd::storedWidth(level));
        ASSERT_EQ(picture.luma.height, pcd::storedHeight(level));
        const int step = picture.luma.width / base.luma.width;
        int wrong = 0;
        for (int y = 0; y < base.luma.height; ++y)
            for (int x = 0; x < base.luma.width; ++x)
                wrong += picture.luma.at(x * step, y * step) != base.luma.at(x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PcdDecoderTest, DamagedPacksFailCleanly)
{
    std::vector<std::uint8_t> file = m_pack;
    file[0x800] = 'X';
    EXPECT_EQ(pcd::readPackInfo(file).error().kind, ErrorKind::Malformed);
    EXPECT_EQ(pcd::readPackInfo(std::vector<std::uint8_t>(m_pack.begin(), m_pack.begin() + 0xE03)).error().kind,
        ErrorKind::Truncated);

    // Cut inside Base: the smaller levels still decode, Base and above report truncation.
    file.assign(m_pack.begin(), m_pack.begin() + 200 * 2048);
    const auto info = *pcd::readPackInfo(file);
    EXPECT_TRUE(pcd::decodePicture(file, info, Level::Base4, {}).ok());
    EXPECT_EQ(pcd::decodePicture(file, info, Level::Base, {}).error().kind, ErrorKind::Truncated);
    EXPECT_EQ(pcd::decodePicture(file, info, Level::FourBase, {}).error().kind, ErrorKind::Truncated);

    // A pack that claims 4Base but ends before its tables, or claims 16Base with no position.
    file = m_pack;
    file[0xE02] = 1 << 2;
    EXPECT_EQ(
        pcd::decodePicture(file, *pcd::readPackInfo(file), Level::FourBase, {}).error().kind, ErrorKind::Truncated);
    file[0xE02] = 2 << 2;
    file.resize(400 * 2048, 0xFF);
    EXPECT_FALSE(pcd::decodePicture(file, *pcd::readPackInfo(file), Level::SixteenBase, {}).ok());

    // Garbage where the coded rows belong decodes to something without reading out of bounds.
    file = m_pack;
    file[0xE02] = 1 << 2;
    file.resize(390 * 2048);
    std::srand(7);
    for (std::size_t i = 388 * 2048; i < file.size(); ++i)
        file[i] = std::uint8_t(std::rand() % 3 == 0 ? 0xFF : std::rand());
    EXPECT_TRUE(pcd::decodePicture(file, *pcd::readPackInfo(file), Level::FourBase, {}).ok());
}

TEST(PcdResiduals, UnknownCodesSkipToTheNextSyncAndSyncsNeedNoAlignment)
{
    // A table with only the codes '0' (residual 0) and '10xxxxxxxx'; '11' starts no code.
    const auto tableBytes = residualCodeTable();
    ByteReader reader(tableBytes);
    auto table = pcd::HuffmanTable::read(reader);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->entryCount(), 256);

    pcd::Plane luma(4, 3);
    std::fill(luma.samples.begin(), luma.samples.end(), 100);
    ResidualBits bits;
    bits.sync(0, 0);
    bits.residual(5);
    bits.put(3, 2); // no such code: the rest of row 0 stays as it was
    bits.residual(7);
    bits.sync(0, 2, false); // row 2 follows at an odd bit position
    for (int v : { -100, 0, 120, 1 })
        bits.residual(v);
    bits.sync(0, 1);
    bits.residual(-1); // the data ends inside row 1
    bits.align();
    ASSERT_TRUE(pcd::addResiduals(bits.bytes(), { pcd::ResidualTarget { &luma, &*table }, {}, {} }, 3, {}));
    EXPECT_EQ(luma.samples, (std::vector<std::uint8_t> { 105, 100, 100, 100, 99, 100, 100, 100, 0, 100, 220, 101 }));
}

TEST(PcdResiduals, AbortTestStopsDecoding)
{
    const auto tableBytes = residualCodeTable();
    ByteReader reader(tableBytes);
    auto table = pcd::HuffmanTable::read(reader);
    pcd::Plane luma(2, 2);
    ResidualBits bits;
    bits.sync(0, 0);
    bits.residual(1);
    bits.sync(0, 1);
    bits.residual(1);
    int asked = 0;
    EXPECT_FALSE(pcd::addResiduals(
        bits.bytes(), { pcd::ResidualTarget { &luma, &*table }, {}, {} }, 2, [&asked] { return ++asked == 2; }));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(luma.at(0, 0), 1);
    EXPECT_EQ(luma.at(0, 1), 0);
}

} // namespace
} // namespace gp::test
