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
// Sixteen bytes at a time, advancing by fifteen: five whole pixels swapped and the sixteenth byte
// written back as it was read, so working in place never touches a byte before it is read.
__attribute__((target("ssse3"))) void swapShuffled(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    std::size_t i = 0;
    for (; i + 16 <= bytes; i += 15) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_shuffle_epi8(pixels, order));
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
