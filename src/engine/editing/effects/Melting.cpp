#include "editing/effects/Melting.h"

#include "editing/effects/FilterSupport.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <numeric>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gp {

namespace {

constexpr int kDropsPerStep = 1280;

// Rows a chunk's drops pass, per pixel of the picture, above which the next chunk makes the
// brightness keys of its 24-bit strips.
constexpr long long kKeyedWalks = 2;

template <int Channels>
inline int brightnessOf(const std::uint8_t* pixel)
{
    if constexpr (Channels == 3)
        return pixel[0] + pixel[1] + pixel[2];
    else
        return pixel[0];
}

// draw mod d for a draw of the generator (0..32767) without a division: with M = ceil(2^32 / d),
// (draw · M) >> 32 is the exact quotient while draw · d < 2^32, which holds for d <= 32767; a
// larger d leaves every draw as it is.
class DrawModulo {
public:
    explicit DrawModulo(int divisor)
        : m_divisor(std::uint32_t(divisor))
        , m_reciprocal(((std::uint64_t(1) << 32) + std::uint64_t(divisor) - 1) / std::uint64_t(divisor))
    {
    }
    int of(int draw) const
    {
        if (m_divisor > std::uint32_t(ClassicRandom::kMax))
            return draw;
        const auto quotient = std::uint32_t((std::uint64_t(draw) * m_reciprocal) >> 32);
        return int(std::uint32_t(draw) - quotient * m_divisor);
    }

private:
    std::uint32_t m_divisor;
    std::uint64_t m_reciprocal;
};

// The generator's draws two at a time: state(n + 2) = state(n) · a² + c · (a + 1) (mod 2^32), so
// the column draws (odd) and the row draws (even) of the drops form two chains that the processor
// works side by side instead of one chain of twice the length.
class PairedDraws {
public:
    // Stands at the first drop drawn after `state`.
    explicit PairedDraws(std::uint32_t state)
        : m_column(state * ClassicRandom::kMultiplier + ClassicRandom::kIncrement)
        , m_row(m_column * ClassicRandom::kMultiplier + ClassicRandom::kIncrement)
    {
    }
    // The drop's column draw and row draw, as ClassicRandom::next() gives them.
    int column() const { return int((m_column >> 16) & ClassicRandom::kMax); }
    int row() const { return int((m_row >> 16) & ClassicRandom::kMax); }
    // On to the next drop.
    void advance()
    {
        m_column = m_column * kTwoMultiplier + kTwoIncrement;
        m_row = m_row * kTwoMultiplier + kTwoIncrement;
    }
private:
    static constexpr std::uint32_t kTwoMultiplier = ClassicRandom::kMultiplier * ClassicRandom::kMultiplier;
    static constexpr std::uint32_t kTwoIncrement = ClassicRandom::kIncrement * (ClassicRandom::kMultiplier + 1);
    std::uint32_t m_column;
    std::uint32_t m_row;
};

// Bit k of the answer is set where keys[k] < bright, for the 16 keys from `keys`.
inline unsigned darkerOf16(const std::uint16_t* keys, int bright)
{
#if defined(__SSE2__)
    // Keys are at most 765, so the signed comparison is exact.
    const __m128i limit = _mm_set1_epi16(short(bright));
    const __m128i low = _mm_cmplt_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(keys)), limit);
    const __m128i high = _mm_cmplt_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(keys + 8)), limit);
    return unsigned(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
#else
    unsigned darker = 0;
    for (int k = 0; k < 16; ++k)
        darker |= unsigned(keys[k] < bright) << k;
    return darker;
#endif
}

inline unsigned darkerOf16(const std::uint8_t* keys, int bright)
{
#if defined(__SSE2__)
    // A key is not darker exactly when the larger of it and the drop is the key itself.
    const __m128i limit = _mm_set1_epi8(char(bright));
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keys));
    const __m128i notDarker = _mm_cmpeq_epi8(_mm_max_epu8(loaded, limit), loaded);
    return ~unsigned(_mm_movemask_epi8(notDarker)) & 0xFFFFu;
#else
    unsigned darker = 0;
    for (int k = 0; k < 16; ++k)
        darker |= unsigned(keys[k] < bright) << k;
    return darker;
#endif
}

// The row a drop of brightness `bright` starting at row y (y >= 2) comes to rest on, in a column
// of brightness keys stored bottom row first: one above the highest row below y that is darker
// than the drop, or row 1 when none above row 0 is. On smooth pictures drops pass hundreds of
// rows, so the keys are compared 32 rows at a time, the first row alone before that because in
// busy pictures most drops stop at once.
template <typename Key>
inline int landingOf(const Key* keys, int y, int bright)
{
    if (keys[y - 1] < bright)
        return y;
    int i = y - 2; // the next row to pass
    for (; i >= 32; i -= 32) {
        const unsigned darker = darkerOf16(keys + (i - 31), bright) | darkerOf16(keys + (i - 15), bright) << 16;
        if (darker != 0)
            return i - 31 + std::bit_width(darker);
    }
    for (; i >= 16; i -= 16) {
        const unsigned darker = darkerOf16(keys + (i - 15), bright);
        if (darker != 0)
            return i - 15 + std::bit_width(darker);
    }
    while (i >= 1 && keys[i] >= bright)
        --i;
    return i + 1;
}

// Rows a sinking drop moves one by one rather than with a call that moves memory.
constexpr int kShortShift = 4;

// Sinks the pixel at row y of a column stored bottom row first, `Channels` bytes a pixel: it
// passes every pixel below that is at least as bright, down to row 1 at most, and those move up
// one row each, exactly as the exchanges of the plain walk leave them. Answers the rows passed.
// With `Keys` the column's brightness keys are `keys`, searched many rows at a time and kept in
// step; without, a 24-bit drop compares pixels row by row. Grayscale pixels are their own keys.
template <int Channels, bool Keys>
inline int sinkInColumn(std::uint8_t* column, std::uint16_t* keys, int y)
{
    if (y < 2)
        return 0;
    std::uint8_t* moving = column + std::size_t(y) * Channels;
    int landing = y;
    if constexpr (Channels == 1) {
        landing = landingOf(column, y, column[y]);
    } else if constexpr (Keys) {
        landing = landingOf(keys, y, keys[y]);
    } else {
        const int bright = brightnessOf<3>(moving);
        for (const std::uint8_t* below = moving - 3; landing > 1 && brightnessOf<3>(below) >= bright; below -= 3)
            --landing;
    }
    if (landing == y)
        return 0;
    std::uint8_t kept[Channels];
    std::memcpy(kept, moving, Channels);
    std::uint8_t* target = column + std::size_t(landing) * Channels;
    std::uint16_t key = 0;
    if constexpr (Keys)
        key = keys[y];
    if (y - landing <= kShortShift) {
        // In busy pictures drops pass a row or two: moving those one by one costs less than the
        // calls that move memory. (A loop of at most kShortShift steps with an early exit, which
        // the compiler keeps as it is rather than turning it back into a call.)
        std::uint8_t* to = moving;
        for (int row = y, step = 0; step < kShortShift && row != landing; ++step, --row, to -= Channels) {
            for (int k = 0; k < Channels; ++k)
                to[k] = to[k - Channels];
            if constexpr (Keys)
                keys[row] = keys[row - 1];
        }
    } else {
        std::memmove(target + Channels, target, std::size_t(y - landing) * Channels);
        if constexpr (Keys)
            std::memmove(keys + landing + 1, keys + landing, std::size_t(y - landing) * sizeof(std::uint16_t));
    }
    std::memcpy(target, kept, Channels);
    if constexpr (Keys)
        keys[landing] = key;
    return y - landing;
}

// Column copies of strips for the threads working them, each used by one strip at a time and
// kept for the next.
class ScratchShelf {
public:
    explicit ScratchShelf(std::size_t bytes)
        : m_bytes(bytes)
    {
    }
    std::unique_ptr<std::uint8_t[]> take()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (!m_free.empty()) {
                auto block = std::move(m_free.back());
                m_free.pop_back();
                return block;
            }
        }
        return std::unique_ptr<std::uint8_t[]>(new std::uint8_t[m_bytes]);
    }
    void give(std::unique_ptr<std::uint8_t[]> block)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_free.push_back(std::move(block));
    }

private:
    std::size_t m_bytes;
    std::mutex m_lock;
    std::vector<std::unique_ptr<std::uint8_t[]>> m_free;
};

// The picture's rows and columns a drop can reach (a draw is at most 32767), and their strips.
struct StripGeometry {
    int columns; // reachable columns
    int rows; // reachable stored rows
    std::size_t columnStride; // bytes of one column in the copy (a spare byte after 24-bit ones)
    std::size_t keysOffset; // where the copy's brightness keys of 24-bit columns start, `rows` a column
    std::size_t copyBytes; // the whole copy, keys included
    int stripColumns;
    int strips;
};

// The picture's rows are fetched a few rows ahead, as the rows of a strip lie a whole picture row
// apart, where the processor does not guess the next one.
constexpr int kRowsAhead = 12;

// Copies `columns` columns of the picture, from column x0, into the column copy (column c's row y
// at c · stride + y · Channels) or back. 24-bit pixels move as 4-byte words; the byte each word
// carries too belongs to the next row or pixel, which is written after it, and the last column
// moves byte by byte so nothing past the strip is touched. With `Keys` the gathering also writes
// the brightness keys of 24-bit columns (column c's row y at c · rows + y), while the pixels are
// at hand.
template <int Channels, bool Keys>
void gatherStrip(const Image& picture, int x0, int columns, int rows, std::size_t stride, std::uint8_t* copy,
    std::uint16_t* keys)
{
    const std::size_t rowSize = picture.rowSize();
    const std::size_t segment = std::size_t(columns) * Channels;
    const std::uint8_t* in = picture.storedRow(0) + std::size_t(x0) * Channels;
    for (int y = 0; y < rows; ++y, in += rowSize) {
        if (y + kRowsAhead < rows) {
            __builtin_prefetch(in + kRowsAhead * rowSize);
            __builtin_prefetch(in + kRowsAhead * rowSize + segment - 1);
        }
        std::uint8_t* out = copy + std::size_t(y) * Channels;
        const std::uint8_t* pixel = in;
        int c = 0;
        if constexpr (Channels == 3 && Keys) {
            std::uint16_t* key = keys + y;
            for (; c < columns - 1; ++c, pixel += 3, out += stride, key += rows) {
                std::memcpy(out, pixel, 4);
                *key = std::uint16_t(pixel[0] + pixel[1] + pixel[2]);
            }
            *key = std::uint16_t(pixel[0] + pixel[1] + pixel[2]);
        } else if constexpr (Channels == 3) {
            for (; c < columns - 1; ++c, pixel += 3, out += stride)
                std::memcpy(out, pixel, 4);
        }
        for (; c < columns; ++c, pixel += Channels, out += stride)
            std::memcpy(out, pixel, Channels);
    }
}

template <int Channels>
void scatterStrip(Image& picture, int x0, int columns, int rows, std::size_t stride, const std::uint8_t* copy)
{
    const std::size_t rowSize = picture.rowSize();
    std::uint8_t* row = picture.storedRow(0) + std::size_t(x0) * Channels;
    for (int y = 0; y < rows; ++y, row += rowSize) {
        if (y + kRowsAhead < rows) {
            __builtin_prefetch(row + kRowsAhead * rowSize, 1);
            __builtin_prefetch(row + kRowsAhead * rowSize + std::size_t(columns) * Channels - 1, 1);
        }
        std::uint8_t* out = row;
        const std::uint8_t* in = copy + std::size_t(y) * Channels;
        int c = 0;
        if constexpr (Channels == 3)
            for (; c < columns - 1; ++c, out += 3, in += stride)
                std::memcpy(out, in, 4);
        for (; c < columns; ++c, out += Channels, in += stride)
            std::memcpy(out, in, Channels);
    }
}

// Sinks one chunk's drops of strip `strip`, listed as column << 16 | row in drawn order, and
// answers the rows they passed.
template <int Channels, bool Keys>
long long meltStrip(Image& picture, const StripGeometry& geometry, int strip, const std::uint32_t* drops,
    const std::uint32_t* end, std::uint8_t* copy)
{
    const int x0 = strip * geometry.stripColumns;
    const int columns = std::min(geometry.stripColumns, geometry.columns - x0);
    const std::size_t rows = std::size_t(geometry.rows);
    auto* keys = reinterpret_cast<std::uint16_t*>(copy + geometry.keysOffset);
    gatherStrip<Channels, Keys>(picture, x0, columns, geometry.rows, geometry.columnStride, copy, keys);
    long long passed = 0;
    for (; drops != end; ++drops) {
        const int x = int(*drops >> 16) - x0;
        const int y = int(*drops & 0xFFFF);
        passed += sinkInColumn<Channels, Keys>(
            copy + std::size_t(x) * geometry.columnStride, keys + std::size_t(x) * rows, y);
    }
    scatterStrip<Channels>(picture, x0, columns, geometry.rows, geometry.columnStride, copy);
    return passed;
}

// Both forms start from a copy of the source (the drops move pixels within it) and let the same
// number of drops fall, reported in the same progress steps.
std::optional<Image> startingCopy(const Image& source, const FilterRun& run)
{
    auto result = blankLike(source, run.allocator);
    if (result)
        std::memcpy(result->pixels().data(), source.pixels().data(), source.imageSize());
    return result;
}

long long dropCount(const Image& source, int amount)
{
    return static_cast<long long>(amount) * (static_cast<long long>(source.width()) * source.height() / 100);
}

int progressSteps(long long drops)
{
    return int(std::min<long long>(drops / kDropsPerStep + 1, 1 << 30));
}

} // namespace

std::optional<Image> melting(
    const Image& source, int amount, ClassicRandom& random, const FilterRun& run, const MeltingLayout& layout)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = startingCopy(source, run);
    if (!result)
        return std::nullopt;

    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const long long drops = dropCount(source, amount);
    FilterProgress progress(run, progressSteps(drops), 0, 100, 1);

    StripGeometry geometry {};
    geometry.columns = std::min(width, ClassicRandom::kMax + 1);
    geometry.rows = std::min(height, ClassicRandom::kMax + 1);
    geometry.columnStride = std::size_t(geometry.rows) * std::size_t(ch) + (ch == 3 ? 1 : 0);
    // A 24-bit column also has its brightness keys in the copy, two bytes a row.
    const std::size_t keyBytes = ch == 3 ? std::size_t(geometry.rows) * sizeof(std::uint16_t) : 0;
    geometry.stripColumns = int(std::clamp<std::size_t>(std::size_t(std::max(layout.stripBytes, 1))
            / (geometry.columnStride + keyBytes), 1, std::size_t(geometry.columns)));
    // The 4-byte moves of 24-bit pixels may write one byte past the last column.
    geometry.keysOffset = (std::size_t(geometry.stripColumns) * geometry.columnStride + 4 + 15) / 16 * 16;
    geometry.copyBytes = geometry.keysOffset + std::size_t(geometry.stripColumns) * keyBytes;
    geometry.strips = (geometry.columns + geometry.stripColumns - 1) / geometry.stripColumns;
    const long long chunkDrops = std::max<long long>(kDropsPerStep, layout.chunkDrops / kDropsPerStep * kDropsPerStep);
    const DrawModulo column(width), row(height);

    try {
        std::vector<std::uint32_t> listed(std::size_t(std::min(chunkDrops, std::max(drops, 0LL))));
        std::vector<std::uint32_t> first(std::size_t(geometry.strips) + 1);
        WorkerPool* workers = run.workers && run.workers->threadCount() > 1 ? run.workers : nullptr;
        const int mostParts = workers ? workers->threadCount() : 1;
        std::vector<std::uint32_t> placed(std::size_t(mostParts) * std::size_t(geometry.strips));
        // Runs job(part) for every part, over the workers when there are several.
        const auto eachPart = [&](int parts, const std::function<void(int)>& job) {
            if (parts > 1)
                workers->run(parts, job, [](int) { return true; });
            else
                job(0);
        };
        std::vector<std::uint16_t> stripOf(std::size_t(geometry.columns));
        for (int x = 0; x < geometry.columns; ++x)
            stripOf[std::size_t(x)] = std::uint16_t(x / geometry.stripColumns);
        ScratchShelf shelf(geometry.copyBytes);
        // Rows passed by each strip's drops in the last chunk, and whether 24-bit strips search
        // their drops' rows by brightness keys (chosen for smooth pictures at first).
        std::vector<long long> passedIn(std::size_t(geometry.strips));
        bool withKeys = true;

        for (long long done = 0; done < drops;) {
            if (!progress.beforeRow(int(done / kDropsPerStep)))
                return std::nullopt;
            const long long count = std::min(chunkDrops, drops - done);
            // The chunk's drops are cut into one part a thread; each part counts its drops of each
            // strip from its own place in the generator's sequence, and then draws them again into
            // its places in the strips' lists, after the earlier parts' drops of the same strip, so
            // each strip's list keeps the drawn order.
            const int parts = workers && count >= 2 * kDropsPerStep ? workers->threadCount() : 1;
            const auto partStart = [&](int part) { return count * part / parts; };
            const auto drawsOfPart = [&](int part) {
                ClassicRandom at(random.state());
                at.skip(2 * std::uint64_t(partStart(part)));
                return PairedDraws(at.state());
            };
            const auto countPart = [&](int part) {
                std::uint32_t* counts = placed.data() + std::size_t(part) * std::size_t(geometry.strips);
                std::fill(counts, counts + geometry.strips, 0u);
                PairedDraws draws = drawsOfPart(part);
                for (long long i = partStart(part); i < partStart(part + 1); ++i, draws.advance())
                    ++counts[stripOf[std::size_t(column.of(draws.column()))]];
            };
            const auto listPart = [&](int part) {
                std::uint32_t* places = placed.data() + std::size_t(part) * std::size_t(geometry.strips);
                PairedDraws draws = drawsOfPart(part);
                for (long long i = partStart(part); i < partStart(part + 1); ++i, draws.advance()) {
                    const int x = column.of(draws.column());
                    const int y = row.of(draws.row());
                    listed[places[stripOf[std::size_t(x)]]++] = std::uint32_t(x) << 16 | std::uint32_t(y);
                }
            };
            eachPart(parts, countPart);
            // Each part's counts become the places its drops go to.
            std::uint32_t place = 0;
            for (int s = 0; s < geometry.strips; ++s) {
                first[std::size_t(s)] = place;
                for (int part = 0; part < parts; ++part) {
                    std::uint32_t& slot = placed[std::size_t(part) * std::size_t(geometry.strips) + std::size_t(s)];
                    const std::uint32_t counted = slot;
                    slot = place;
                    place += counted;
                }
            }
            first[std::size_t(geometry.strips)] = place;
            eachPart(parts, listPart);
            random.skip(2 * std::uint64_t(count));

            const auto meltOne = [&](int strip) {
                const std::uint32_t* begin = listed.data() + first[std::size_t(strip)];
                const std::uint32_t* end = listed.data() + first[std::size_t(strip) + 1];
                passedIn[std::size_t(strip)] = 0;
                if (begin == end)
                    return;
                auto copy = shelf.take();
                long long& passed = passedIn[std::size_t(strip)];
                if (ch == 1)
                    passed = meltStrip<1, false>(*result, geometry, strip, begin, end, copy.get());
                else if (withKeys)
                    passed = meltStrip<3, true>(*result, geometry, strip, begin, end, copy.get());
                else
                    passed = meltStrip<3, false>(*result, geometry, strip, begin, end, copy.get());
                shelf.give(std::move(copy));
            };
            const auto between = [&](int stripsDone) {
                return progress.beforeRow(int((done + count * stripsDone / geometry.strips) / kDropsPerStep));
            };
            bool whole = true;
            if (workers) {
                whole = workers->run(geometry.strips, meltOne, between);
            } else {
                for (int s = 0; s < geometry.strips && whole; ++s) {
                    meltOne(s);
                    whole = between(s + 1);
                }
            }
            if (!whole)
                return std::nullopt;
            done += count;
            // The next chunk's drops walk much as this chunk's did: in busy pictures they pass
            // about half as many rows as the picture has pixels, and making the keys costs more
            // than it saves; in smooth ones more than ten times as many.
            const long long passed = std::accumulate(passedIn.begin(), passedIn.end(), 0LL);
            withKeys = passed > kKeyedWalks * std::int64_t(geometry.columns) * geometry.rows;
        }
    } catch (const std::bad_alloc&) {
        run.allocator.reportOutOfMemory();
        return std::nullopt;
    }
    progress.finish();
    return result;
}

std::optional<Image> meltingPlain(const Image& source, int amount, ClassicRandom& random, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = startingCopy(source, run);
    if (!result)
        return std::nullopt;

    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const auto brightness = [ch](const std::uint8_t* p) { return ch == 3 ? p[0] + p[1] + p[2] : p[0]; };
    const long long drops = dropCount(source, amount);
    FilterProgress progress(run, progressSteps(drops), 0, 100, 1);
    // Stored rows are evenly spaced; row y − 1 lies one stride before row y.
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(result->rowSize());
    for (long long drop = 0; drop < drops; ++drop) {
        if (drop % kDropsPerStep == 0 && !progress.beforeRow(int(drop / kDropsPerStep)))
            return std::nullopt;
        const int x = random.next() % width;
        int y = random.next() % height;
        std::uint8_t* moving = result->storedRow(y) + std::size_t(x) * std::size_t(ch);
        while (y > 1) {
            std::uint8_t* below = moving - stride;
            if (brightness(below) < brightness(moving))
                break;
            std::swap_ranges(moving, moving + ch, below);
            moving = below;
            --y;
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
