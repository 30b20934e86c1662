#include "codecs/Lzw.h"

#include <gtest/gtest.h>

#include <random>

using namespace gp;

namespace {

std::vector<std::uint8_t> encodeAll(LzwCodeRules rules, const std::vector<std::uint8_t>& input, std::size_t piece)
{
    LzwEncoder encoder(rules);
    std::vector<std::uint8_t> packed;
    for (std::size_t at = 0; at < input.size(); at += piece)
        encoder.encode(std::span(input).subspan(at, std::min(piece, input.size() - at)), packed);
    encoder.finish(packed);
    return packed;
}

std::vector<std::uint8_t> decodeAll(
    LzwCodeRules rules, std::span<const std::uint8_t> packed, std::size_t expected, std::size_t piece)
{
    LzwDecoder decoder(rules, packed);
    std::vector<std::uint8_t> out(expected + 16);
    std::size_t total = 0;
    while (total < out.size()) {
        const std::size_t want = std::min(piece, out.size() - total);
        const std::size_t got = decoder.read(std::span(out).subspan(total, want));
        total += got;
        if (got < want)
            break;
    }
    EXPECT_TRUE(decoder.finished());
    EXPECT_FALSE(decoder.corrupt());
    out.resize(total);
    return out;
}

// Reads codes of a fixed width back out of a packed stream, most significant bit first.
std::vector<unsigned> codesMsbFirst(const std::vector<std::uint8_t>& packed, int width, int count)
{
    std::vector<unsigned> codes;
    std::size_t bit = 0;
    for (int i = 0; i < count; ++i) {
        unsigned code = 0;
        for (int b = 0; b < width; ++b, ++bit)
            code = (code << 1) | ((packed[bit / 8] >> (7 - bit % 8)) & 1U);
        codes.push_back(code);
    }
    return codes;
}

struct Sample {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int rootBits;
};

std::vector<Sample> samples()
{
    std::mt19937 random(7);
    std::vector<std::uint8_t> noise(300000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    std::vector<std::uint8_t> flat(200000, 0x42);
    std::vector<std::uint8_t> ramp(150000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::uint8_t>((i / 3) % 251 + (i % 7 == 0));
    std::vector<std::uint8_t> twoColour(90001);
    for (auto& b : twoColour)
        b = static_cast<std::uint8_t>(random() % 5 == 0);
    std::vector<std::uint8_t> sixteen(77777);
    for (std::size_t i = 0; i < sixteen.size(); ++i)
        sixteen[i] = static_cast<std::uint8_t>((i * i / 97) % 16);
    return { { "noise", noise, 8 }, { "flat", flat, 8 }, { "ramp", ramp, 8 }, { "two colours", twoColour, 2 },
        { "sixteen colours", sixteen, 4 }, { "single byte", { 0x9C }, 8 }, { "empty", {}, 8 } };
}

} // namespace

TEST(Lzw, RoundTripsWithEitherRulesInAnyPieceSize)
{
    for (const auto& sample : samples()) {
        SCOPED_TRACE(sample.name);
        const std::vector<LzwCodeRules> ruleSets = sample.rootBits == 8
            ? std::vector<LzwCodeRules> { kTiffLzwRules, gifLzwRules(8) }
            : std::vector<LzwCodeRules> { gifLzwRules(sample.rootBits) };
        for (const auto& rules : ruleSets) {
            const auto packed = encodeAll(rules, sample.bytes, 1000);
            EXPECT_EQ(decodeAll(rules, packed, sample.bytes.size(), 4096), sample.bytes);
            EXPECT_EQ(decodeAll(rules, packed, sample.bytes.size(), 7), sample.bytes);
            EXPECT_EQ(encodeAll(rules, sample.bytes, 3), packed) << "pieces must not change the stream";
        }
    }
}

TEST(Lzw, EveryLengthAroundTheWidthChangesRoundTrips)
{
    // Streams ending just before, on and after each width change catch an end code written at
    // the wrong width.
    std::mt19937 random(11);
    std::vector<std::uint8_t> noise(6000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random() % 3);
    for (const auto& rules : { kTiffLzwRules, gifLzwRules(8), gifLzwRules(2) }) {
        for (std::size_t length = 1; length < noise.size(); length += (length < 40 ? 1 : 13)) {
            const std::vector<std::uint8_t> input(noise.begin(), noise.begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_EQ(decodeAll(rules, encodeAll(rules, input, 64), length, 512), input) << length;
        }
    }
}

TEST(Lzw, OnePixelTiffStreamIsClearPixelAndTwoEndCodes)
{
    const auto packed = encodeAll(kTiffLzwRules, { 0xA7 }, 1);
    ASSERT_EQ(packed.size(), 5u); // four 9-bit codes in 36 bits
    EXPECT_EQ(codesMsbFirst(packed, 9, 4), (std::vector<unsigned> { 256, 0xA7, 257, 257 }));
}

TEST(Lzw, GifStreamStartsWithClearLeastSignificantBitFirst)
{
    const auto packed = encodeAll(gifLzwRules(2), { 1, 1, 1, 1 }, 4);
    // Codes at 3 bits: clear 4, 1, 6 ("1 1"), 1; reading that last code fills entry 7, so the
    // end code 5 comes at 4 bits. Bits are packed from the bottom up.
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < packed.size(); ++i)
        bits |= std::uint32_t { packed[i] } << (8 * i);
    EXPECT_EQ(bits & 7U, 4U);
    EXPECT_EQ((bits >> 3) & 7U, 1U);
    EXPECT_EQ((bits >> 6) & 7U, 6U);
    EXPECT_EQ((bits >> 9) & 7U, 1U);
    EXPECT_EQ((bits >> 12) & 15U, 5U);
}

TEST(Lzw, DamagedStreamsStopCleanly)
{
    std::vector<std::uint8_t> input(5000);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<std::uint8_t>(i * 13 % 256);
    const auto packed = encodeAll(kTiffLzwRules, input, 5000);

    // Cut short: whatever was decoded is a prefix of the original.
    const std::span<const std::uint8_t> half(packed.data(), packed.size() / 2);
    LzwDecoder truncated(kTiffLzwRules, half);
    std::vector<std::uint8_t> out(input.size());
    const std::size_t got = truncated.read(out);
    EXPECT_LT(got, input.size());
    EXPECT_TRUE(truncated.finished());
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(got), input.begin()));

    // A code far beyond the table (clear, then 511 at 9 bits) ends the stream as corrupt.
    const std::vector<std::uint8_t> beyond { 0x80, 0x7F, 0xC0, 0x00 };
    LzwDecoder bad(kTiffLzwRules, beyond);
    EXPECT_EQ(bad.read(out), 0u);
    EXPECT_TRUE(bad.finished());
    EXPECT_TRUE(bad.corrupt());

    // Garbage never reads outside the data and never produces more than asked.
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> junk(random() % 300);
        for (auto& b : junk)
            b = static_cast<std::uint8_t>(random());
        for (const auto& rules : { kTiffLzwRules, gifLzwRules(2), gifLzwRules(8) }) {
            LzwDecoder decoder(rules, junk);
            std::vector<std::uint8_t> sink(1000);
            EXPECT_LE(decoder.read(sink), sink.size());
        }
    }
}

// The whole-stream decoder is a faster road to the same bytes: it must match the row-by-row
// decoder on every sample and rule set, into buffers smaller and larger than the stream, and on
// damaged streams (cut, bytes changed, a stream that never clears its full table).
TEST(Lzw, WholeStreamDecoderGivesTheSameBytesAsThePlainOne)
{
    auto plain = [](LzwCodeRules rules, std::span<const std::uint8_t> packed, std::size_t capacity) {
        LzwDecoder decoder(rules, packed);
        std::vector<std::uint8_t> out(capacity);
        out.resize(decoder.read(out));
        return out;
    };
    auto whole = [](LzwCodeRules rules, std::span<const std::uint8_t> packed, std::size_t capacity) {
        std::vector<std::uint8_t> out(capacity);
        out.resize(decodeLzwStream(rules, packed, out));
        return out;
    };
    std::mt19937 random(5);
    for (const auto& sample : samples()) {
        SCOPED_TRACE(sample.name);
        const std::vector<LzwCodeRules> ruleSets = sample.rootBits == 8
            ? std::vector<LzwCodeRules> { kTiffLzwRules, gifLzwRules(8) }
            : std::vector<LzwCodeRules> { gifLzwRules(sample.rootBits) };
        for (const auto& rules : ruleSets) {
            const auto packed = encodeAll(rules, sample.bytes, 1000);
            const std::size_t n = sample.bytes.size();
            EXPECT_EQ(whole(rules, packed, n + 40), sample.bytes);
            for (const std::size_t capacity : { n / 3, n - std::min<std::size_t>(n, 1), std::size_t(17), std::size_t(1) })
                EXPECT_EQ(whole(rules, packed, capacity), plain(rules, packed, capacity)) << capacity;
            // Buffers ending within a copy piece of the stream's end, where the decoder must
            // leave its 16-byte copies for exact ones.
            for (std::size_t missing = 1; missing <= 20 && missing <= n; ++missing)
                ASSERT_EQ(whole(rules, packed, n - missing), plain(rules, packed, n - missing)) << missing;
            const std::span<const std::uint8_t> cut(packed.data(), packed.size() * 2 / 3);
            EXPECT_EQ(whole(rules, cut, n), plain(rules, cut, n));
            for (int damage = 0; damage < 20 && !packed.empty(); ++damage) {
                auto damaged = packed;
                damaged[random() % damaged.size()] ^= std::uint8_t(1 + random() % 255);
                ASSERT_EQ(whole(rules, damaged, n + 40), plain(rules, damaged, n + 40)) << damage;
            }
        }
    }
    // Random codes at the widest width: a full table that is never cleared, and codes the
    // table does not hold yet.
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> junk(3000);
        for (auto& b : junk)
            b = static_cast<std::uint8_t>(random());
        junk[0] = 0x80; // a clear code first, so decoding gets under way
        junk[1] &= 0x3F;
        EXPECT_EQ(whole(kTiffLzwRules, junk, 50000), plain(kTiffLzwRules, junk, 50000)) << round;
    }
}

namespace {

// Hands out a stream `step` bytes more at a time.
class DrippingInput final : public LzwInput {
public:
    DrippingInput(std::span<const std::uint8_t> bytes, std::size_t step)
        : m_bytes(bytes)
        , m_step(step)
        , m_end(std::min(step, bytes.size()))
    {
    }
    std::span<const std::uint8_t> window() const override { return m_bytes.subspan(m_start, m_end - m_start); }
    bool advance(std::size_t consumed) override
    {
        if (m_end == m_bytes.size())
            return false;
        m_start += consumed;
        m_end = std::min(m_bytes.size(), m_end + m_step);
        return true;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_step;
    std::size_t m_start = 0;
    std::size_t m_end;
};

} // namespace

// A stream read a window at a time decodes to the same bytes as the whole stream, wherever the
// windows end (inside a code, on its last byte, a byte before) and for cut or damaged streams.
TEST(Lzw, WindowedInputGivesTheWholeStreamsBytes)
{
    std::mt19937 random(9);
    for (const auto& sample : samples()) {
        SCOPED_TRACE(sample.name);
        const std::vector<LzwCodeRules> ruleSets = sample.rootBits == 8
            ? std::vector<LzwCodeRules> { kTiffLzwRules, gifLzwRules(8) }
            : std::vector<LzwCodeRules> { gifLzwRules(sample.rootBits) };
        for (const auto& rules : ruleSets) {
            auto packed = encodeAll(rules, sample.bytes, 1000);
            if (!packed.empty() && sample.bytes.size() > 1000)
                packed[packed.size() / 2] ^= std::uint8_t(1 + random() % 255); // damaged half way
            const std::size_t n = sample.bytes.size() + 40;
            std::vector<std::uint8_t> whole(n);
            whole.resize(decodeLzwStream(rules, packed, whole));
            for (const std::size_t step : { std::size_t(1), std::size_t(7), std::size_t(8), std::size_t(9), std::size_t(4093) }) {
                DrippingInput input(packed, step);
                std::vector<std::uint8_t> out(n);
                out.resize(decodeLzwStream(rules, input, out));
                ASSERT_EQ(out, whole) << step;
            }
        }
    }
}
