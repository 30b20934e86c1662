// The fast and split forms of the pixel routines against their plain forms: the same bytes on
// odd sizes, every accepted depth, one thread and two.

#include "FakeHost.h"
#include "Pictures.h"
#include "editing/PixelAccess.h"
#include "editing/effects/Blur.h"
#include "editing/effects/FilterCommands.h"
#include "editing/effects/Melting.h"
#include "editing/effects/Painting.h"
#include "editing/effects/Sharpen.h"
#include "editing/tone/BrightnessContrast.h"
#include "editing/tone/HueSaturation.h"
#include "editing/tone/ToneCurve.h"
#include "editing/transform/Flip.h"
#include "editing/transform/QuarterTurn.h"
#include "editing/transform/Resample.h"
#include "editing/transform/Rotate.h"
#include "shell/CommandIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>

namespace gp {
namespace {

// A deterministic noisy value for pixel (x, y), channel k.
int noise(int x, int y, int k)
{
    unsigned v = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ unsigned(k + 1) * 83492791u;
    v ^= v >> 13;
    v *= 0x5bd1e995u;
    return int((v ^ (v >> 15)) & 0xFF);
}

Image noisyRgb(int width, int height)
{
    return test::rgbPictureByStoredRow(width, height, [](int x, int i) {
        return test::Bgr { std::uint8_t(noise(x, i, 0)), std::uint8_t(noise(x, i, 1)), std::uint8_t(noise(x, i, 2)) };
    });
}

Image noisyGray(int width, int height)
{
    return test::grayPictureByStoredRow(width, height, [](int x, int i) { return noise(x, i, 0); });
}

// A 1-, 4- or 8-bit picture with a colour table, every index drawn from the noise.
Image noisyIndexed(int width, int height, int bits)
{
    Image image = Image::create(width, height, bits, 1 << bits).value();
    auto table = image.colorTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = Rgbq { std::uint8_t(noise(int(i), 1, 0)), std::uint8_t(noise(int(i), 2, 1)),
            std::uint8_t(noise(int(i), 3, 2)), 0 };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setPixelIndex(image.storedRow(y), x, bits, noise(x, y, 3) & ((1 << bits) - 1));
    return image;
}

::testing::AssertionResult sameBytes(const std::optional<Image>& a, const std::optional<Image>& b)
{
    if (!a || !b)
        return ::testing::AssertionFailure() << "a result is missing";
    if (a->width() != b->width() || a->height() != b->height() || a->bitsPerPixel() != b->bitsPerPixel())
        return ::testing::AssertionFailure() << "the headers differ";
    const auto pa = a->pixels(), pb = b->pixels();
    const auto ta = a->colorTable(), tb = b->colorTable();
    if (!std::equal(pa.begin(), pa.end(), pb.begin(), pb.end()))
        return ::testing::AssertionFailure() << "the pixels differ";
    if (!std::equal(ta.begin(), ta.end(), tb.begin(), tb.end(),
            [](const Rgbq& l, const Rgbq& r) { return l.blue == r.blue && l.green == r.green && l.red == r.red; }))
        return ::testing::AssertionFailure() << "the colour tables differ";
    return ::testing::AssertionSuccess();
}

// Sizes with a band split (at least 32 rows) and without, all odd.
const std::vector<std::pair<int, int>> kSizes { { 1, 1 }, { 7, 3 }, { 37, 53 }, { 61, 151 } };

class RowBands : public ::testing::Test {
protected:
    test::FakeHost host;
    Allocator allocator { host };
    WorkerPool pair { 2 };
    FilterRun alone { allocator, host, true };
    FilterRun split { allocator, host, true, nullptr, &pair };

    static std::vector<Image> filterable(int width, int height)
    {
        std::vector<Image> pictures;
        pictures.push_back(noisyRgb(width, height));
        pictures.push_back(noisyGray(width, height));
        return pictures;
    }
};

TEST_F(RowBands, BlurSharpenAndPaintingGiveThePlainFormsBytes)
{
    for (const auto& [width, height] : kSizes)
        for (const Image& source : filterable(width, height)) {
            for (int length : { 2, 3, 5, 10, 17, 32 }) {
                const auto plain = blurTwoPass(source, length, alone);
                EXPECT_TRUE(sameBytes(blur(source, length, alone), plain)) << width << "x" << height << " " << length;
                EXPECT_TRUE(sameBytes(blur(source, length, split), plain)) << width << "x" << height << " " << length;
            }
            for (int radius : { 0, 1, 2, 5, 10 }) {
                const auto plain = paintingPlain(source, radius, alone);
                EXPECT_TRUE(sameBytes(painting(source, radius, alone), plain)) << width << "x" << height << " " << radius;
                EXPECT_TRUE(sameBytes(painting(source, radius, split), plain)) << width << "x" << height << " " << radius;
            }
            for (int box : { 2, 3, 6 })
                for (int amount : { 0, 50, 100 })
                    for (int threshold : { 0, 12 }) {
                        const auto plain = sharpenTwoPass(source, box, amount, threshold, alone);
                        EXPECT_TRUE(sameBytes(sharpen(source, box, amount, threshold, alone), plain)) << box;
                        EXPECT_TRUE(sameBytes(sharpen(source, box, amount, threshold, split), plain)) << box;
                    }
        }
}

TEST_F(RowBands, EffectsAndAdjustmentsAreTheSameOnTwoThreads)
{
    for (const auto& [width, height] : kSizes)
        for (const Image& source : filterable(width, height)) {
            for (int command = command::EffectFirst; command < command::EffectFirst + kEffectCount; ++command) {
                // Each run draws from a fresh generator, so the random effects can be compared too.
                ClassicRandom first, second;
                const auto one = runFilterCommand(command, source, 63, EffectInputs { first, Rgb { 9, 80, 200 } }, alone);
                const auto two = runFilterCommand(command, source, 63, EffectInputs { second, Rgb { 9, 80, 200 } }, split);
                EXPECT_TRUE(sameBytes(one, two)) << command << " " << width << "x" << height;
            }
            EXPECT_TRUE(sameBytes(brightnessContrast(source, ToneChannel::All, 30, 20, alone),
                brightnessContrast(source, ToneChannel::All, 30, 20, split)));
            EXPECT_TRUE(sameBytes(applyTone(source, ToneChannel::Green, toneCurve(20, -30, 10), alone),
                applyTone(source, ToneChannel::Green, toneCurve(20, -30, 10), split)));
        }
    for (const auto& [width, height] : kSizes) {
        const Image rgb = noisyRgb(width, height);
        EXPECT_TRUE(sameBytes(hueSaturation(rgb, 70, -40, alone), hueSaturation(rgb, 70, -40, split)));
        const Image indexed = noisyIndexed(width, height, 8);
        EXPECT_TRUE(sameBytes(hueSaturation(indexed, -30, 60, alone), hueSaturation(indexed, -30, 60, split)));
    }
}

TEST_F(RowBands, MeltingInStripsGivesThePlainFormsBytesAndDraws)
{
    // Chunks of 1280 drops and strips of one column make small pictures cross both; the widest
    // and tallest pictures have columns and rows no draw reaches.
    const MeltingLayout layouts[] = { MeltingLayout {}, MeltingLayout { 1280, 1 }, MeltingLayout { 3 * 1280, 700 } };
    std::vector<std::pair<int, int>> sizes = kSizes;
    sizes.insert(sizes.end(), { { 40003, 3 }, { 3, 33001 }, { 203, 97 } });
    for (const auto& [width, height] : sizes)
        for (const Image& source : filterable(width, height))
            for (int amount : { 1, 37, 100 }) {
                if (width * height > 100000 && amount > 1)
                    continue;
                ClassicRandom plainRandom;
                const auto plain = meltingPlain(source, amount, plainRandom, alone);
                for (const MeltingLayout& layout : layouts)
                    for (const FilterRun* run : { &alone, &split }) {
                        ClassicRandom random;
                        EXPECT_TRUE(sameBytes(melting(source, amount, random, *run, layout), plain))
                            << width << "x" << height << " " << amount << " " << layout.chunkDrops << " "
                            << layout.stripBytes << " " << run->workers;
                        EXPECT_EQ(random.state(), plainRandom.state()) << width << "x" << height << " " << amount;
                    }
            }
}

TEST_F(RowBands, MeltingOnSmoothPicturesGivesThePlainFormsBytes)
{
    // Brighter toward stored row 0 in flat runs, with a dark dip about every 97 rows: drops pass
    // long runs of at least as bright pixels (equal ones too) and stop at every place of a 16-row
    // group, or on row 1.
    const auto level = [](int x, int i, int k, int height) {
        const int ramp = (height - i) * 200 / height + x % 5;
        return std::clamp(noise(x, i, k) % 97 == 0 ? ramp - 60 : ramp, 0, 255);
    };
    const MeltingLayout layouts[] = { MeltingLayout {}, MeltingLayout { 1280, 1 }, MeltingLayout { 3 * 1280, 9000 } };
    for (const auto& [width, height] :
        std::vector<std::pair<int, int>> { { 37, 1500 }, { 5, 4099 }, { 130, 97 }, { 3, 33001 } }) {
        const Image rgb = test::rgbPictureByStoredRow(width, height, [&, height = height](int x, int i) {
            return test::Bgr { std::uint8_t(level(x, i, 0, height)), std::uint8_t(level(x, i, 1, height)),
                std::uint8_t(level(x, i, 2, height)) };
        });
        const Image gray = test::grayPictureByStoredRow(
            width, height, [&, height = height](int x, int i) { return level(x, i, 3, height); });
        for (const Image* source : { &rgb, &gray })
            for (int amount : { 1, 37, 100 }) {
                if (height > 5000 && amount > 1)
                    continue;
                ClassicRandom plainRandom;
                const auto plain = meltingPlain(*source, amount, plainRandom, alone);
                ASSERT_TRUE(plain);
                EXPECT_FALSE(std::ranges::equal(plain->pixels(), source->pixels())) << width << "x" << height;
                for (const MeltingLayout& layout : layouts)
                    for (const FilterRun* run : { &alone, &split }) {
                        ClassicRandom random;
                        EXPECT_TRUE(sameBytes(melting(*source, amount, random, *run, layout), plain))
                            << width << "x" << height << " " << source->bitsPerPixel() << " " << amount << " "
                            << layout.stripBytes << " " << run->workers;
                        EXPECT_EQ(random.state(), plainRandom.state());
                    }
            }
    }
}

TEST_F(RowBands, TurnsAndResamplingAreTheSameOnTwoThreads)
{
    const Rgb fill { 200, 10, 90 };
    for (const auto& [width, height] : kSizes) {
        std::vector<Image> pictures = filterable(width, height);
        for (int bits : { 8, 4, 1 })
            pictures.push_back(noisyIndexed(width, height, bits));
        for (const Image& source : pictures) {
            const int bits = source.bitsPerPixel();
            for (int degrees : { 33, 90, 180, 270, 347 })
                EXPECT_TRUE(sameBytes(rotateByAngle(source, degrees, fill, allocator),
                    rotateByAngle(source, degrees, fill, allocator, RotationSubject::Picture, &pair)))
                    << bits << " bits " << width << "x" << height << " " << degrees;
            for (const auto& [w, h] : { std::pair { width / 2 + 1, height / 3 + 1 }, std::pair { width * 2 + 1, height + 40 } })
                EXPECT_TRUE(sameBytes(resample(source, w, h, 96, allocator),
                    resample(source, w, h, 96, allocator, Interrupt::ByEscape, &pair)))
                    << bits << " bits " << width << "x" << height << " to " << w << "x" << h;
        }
    }
}

TEST_F(RowBands, FlipsAreTheSameOnTwoThreads)
{
    for (const auto& [width, height] : kSizes) {
        std::vector<Image> pictures = filterable(width, height);
        for (int bits : { 8, 4, 1 })
            pictures.push_back(noisyIndexed(width, height, bits));
        for (const Image& source : pictures) {
            const int bits = source.bitsPerPixel();
            for (Interrupt interrupt : { Interrupt::ByEscape, Interrupt::Never }) {
                EXPECT_TRUE(sameBytes(flipHorizontal(source, allocator, interrupt),
                    flipHorizontal(source, allocator, interrupt, &pair)))
                    << bits << " bits " << width << "x" << height;
                EXPECT_TRUE(sameBytes(flipVertical(source, allocator, interrupt),
                    flipVertical(source, allocator, interrupt, &pair)))
                    << bits << " bits " << width << "x" << height;
            }
        }
    }
}

TEST(SectorDivision, GivesTheQuotientOfEveryHueTurn)
{
    const SectorDivision division;
    int wrong = 0;
    for (int d = 1; d < 256; ++d)
        for (int v = 0; v < 480 * d; ++v)
            wrong += division.quotient(v, d) != v / (60 * d);
    EXPECT_EQ(wrong, 0);
}

TEST(HueSaturationMap, TurnsEveryColourAsThePlainFormDoes)
{
    for (const auto& [hue, saturation] : { std::pair { 30, 20 }, std::pair { -180, 0 }, std::pair { 179, -100 } }) {
        const HueSaturationMap map(hue, saturation);
        int wrong = 0;
        // Every colour once, a row of 4096 at a time (gray ones included).
        std::vector<std::uint8_t> row(3 * 4096), turned(3 * 4096);
        for (int first = 0; first < (1 << 24); first += 4096) {
            for (int i = 0; i < 4096; ++i) {
                const int colour = first + i;
                row[std::size_t(3 * i)] = std::uint8_t(colour);
                row[std::size_t(3 * i + 1)] = std::uint8_t(colour >> 8);
                row[std::size_t(3 * i + 2)] = std::uint8_t(colour >> 16);
            }
            map.applyRow(row.data(), turned.data(), 4096);
            for (int i = 0; i < 4096; i += (first / 4096) % 5 == 0 ? 1 : 3) {
                std::uint8_t b = row[std::size_t(3 * i)], g = row[std::size_t(3 * i + 1)], r = row[std::size_t(3 * i + 2)];
                std::uint8_t pb = b, pg = g, pr = r;
                map.apply(b, g, r);
                map.applyPlain(pb, pg, pr);
                wrong += b != pb || g != pg || r != pr;
                wrong += turned[std::size_t(3 * i)] != pb || turned[std::size_t(3 * i + 1)] != pg
                    || turned[std::size_t(3 * i + 2)] != pr;
            }
        }
        EXPECT_EQ(wrong, 0) << hue << " " << saturation;
    }
}

TEST(HueSaturationMap, EverySaturationMovesEveryChannelAsThePlainFormDoes)
{
    // Each channel value c under each largest value h, the pairs that decide the saturation's
    // quotients, at every saturation with and without a turn.
    std::vector<std::uint8_t> row, moved;
    for (int high = 0; high < 256; ++high)
        for (int c = 0; c <= high; ++c)
            for (const auto& [b, g, r] :
                { std::array { c, high, 0 }, std::array { c, 0, high }, std::array { high, c, c / 2 } })
                row.insert(row.end(), { std::uint8_t(b), std::uint8_t(g), std::uint8_t(r) });
    const int count = int(row.size() / 3);
    moved.resize(row.size());
    for (int hue : { 0, 97 })
        for (int saturation = -100; saturation <= 100; ++saturation) {
            const HueSaturationMap map(hue, saturation);
            map.applyRow(row.data(), moved.data(), count);
            int wrong = 0;
            for (std::size_t i = 0; i < row.size(); i += 3) {
                std::uint8_t b = row[i], g = row[i + 1], r = row[i + 2];
                map.applyPlain(b, g, r);
                wrong += moved[i] != b || moved[i + 1] != g || moved[i + 2] != r;
            }
            EXPECT_EQ(wrong, 0) << hue << " " << saturation;
        }
}

// A host that notes which threads asked about Escape and wrote the status line.
class ThreadNotingHost : public test::FakeHost {
public:
    std::vector<std::thread::id> callers;
    bool escapePressed() override
    {
        callers.push_back(std::this_thread::get_id());
        return FakeHost::escapePressed();
    }
    void setStatus(StatusPane pane, std::string_view text) override
    {
        callers.push_back(std::this_thread::get_id());
        FakeHost::setStatus(pane, text);
    }
};

TEST_F(RowBands, OnlyTheCallingThreadTalksToTheUserAndEscapeStillStops)
{
    ThreadNotingHost noting;
    Allocator notingAllocator { noting };
    FilterRun run { notingAllocator, noting, true, nullptr, &pair };
    const Image source = noisyRgb(45, 400);
    ASSERT_TRUE(blur(source, 7, run));
    ASSERT_TRUE(rotateByAngle(source, 21, Rgb {}, notingAllocator, RotationSubject::Picture, &pair));
    ASSERT_FALSE(noting.callers.empty());
    for (const auto& id : noting.callers)
        EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_EQ(noting.statusTexts.back(), "  Ready");

    // However the bands fell between the threads, the caller asks at least once, and an Escape
    // then gives nothing.
    for (int command : { command::Blur, command::Sharpen, 300, 304, 305, 313 }) {
        noting.escapeAfterPolls = noting.escapePolls;
        ClassicRandom random;
        EXPECT_FALSE(runFilterCommand(command, source, 50, EffectInputs { random, Rgb {} }, run)) << command;
    }
    noting.escapeAfterPolls = noting.escapePolls;
    EXPECT_FALSE(resample(source, 90, 800, 96, notingAllocator, Interrupt::ByEscape, &pair));
    noting.escapeAfterPolls = noting.escapePolls;
    EXPECT_FALSE(flipHorizontal(source, notingAllocator, Interrupt::ByEscape, &pair));
    noting.escapeAfterPolls = noting.escapePolls;
    EXPECT_TRUE(flipVertical(source, notingAllocator, Interrupt::Never, &pair));
}

} // namespace
} // namespace gp
