#include "codecs/RedBlueSwap.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define GLIMMER_HAS_BYTE_SHUFFLE 1
#endif

namespace gp {

namespace {

void swapPlain(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes)
{
    for (std::size_t i = 0; i + 2 < bytes; i += 3) {
        const std::uint8_t red = from[i], green = from[i + 1], blue = from[i + 2];
        to[i] = blue;
        to[i + 1] = green;
        to[i + 2] = red;
    }
}

#ifdef GLIMMER_HAS_BYTE_SHUFFLE
// Shuffle masks that gather, for the 16 output bytes starting at byte `out` of a 48-byte block
// of 16 pixels, the swapped bytes found in the 16 input bytes starting at byte `in`; a byte
// found elsewhere is left zero (the high bit of its mask entry set).
struct SwapMask {
    alignas(16) std::int8_t lanes[16];
};

constexpr SwapMask swapMask(int out, int in)
{
    SwapMask mask {};
    for (int lane = 0; lane < 16; ++lane) {
        const int at = out + lane;
        const int source = at - at % 3 + 2 - at % 3; // the same pixel, red and blue trading places
        mask.lanes[lane] = std::int8_t(source >= in && source < in + 16 ? source - in : -128);
    }
    return mask;
}

__m128i loadMask(const SwapMask& mask)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(mask.lanes));
}

// Sixteen pixels (48 bytes, three vectors) at a time. All three vectors of a block are loaded
// before any is stored and blocks do not overlap, so working in place never reads a byte that
// was just stored: a load that overlaps a pending store stalls the processor for many cycles,
// which made a one-vector-at-a-time loop six times slower in place than into another buffer.
__attribute__((target("ssse3"))) void swapShuffled(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes)
{
    static constexpr SwapMask masks[7] = { swapMask(0, 0), swapMask(0, 16), swapMask(16, 0), swapMask(16, 16),
        swapMask(16, 32), swapMask(32, 16), swapMask(32, 32) };
    const __m128i aToFirst = loadMask(masks[0]), bToFirst = loadMask(masks[1]);
    const __m128i aToSecond = loadMask(masks[2]), bToSecond = loadMask(masks[3]), cToSecond = loadMask(masks[4]);
    const __m128i bToThird = loadMask(masks[5]), cToThird = loadMask(masks[6]);
    std::size_t i = 0;
    for (; i + 48 <= bytes; i += 48) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 32));
        const __m128i first = _mm_or_si128(_mm_shuffle_epi8(a, aToFirst), _mm_shuffle_epi8(b, bToFirst));
        const __m128i second = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, aToSecond), _mm_shuffle_epi8(b, bToSecond)),
            _mm_shuffle_epi8(c, cToSecond));
        const __m128i third = _mm_or_si128(_mm_shuffle_epi8(b, bToThird), _mm_shuffle_epi8(c, cToThird));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 16), second);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 32), third);
    }
    swapPlain(from + i, to + i, bytes - i);
}
#endif

} // namespace

void copySwappingRedBlue(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes)
{
#ifdef GLIMMER_HAS_BYTE_SHUFFLE
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (shuffle) {
        swapShuffled(from, to, bytes);
        return;
    }
#endif
    swapPlain(from, to, bytes);
}

} // namespace gp
