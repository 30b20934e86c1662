#pragma once
// The error bits of an image print and their report. A print returns the union of its bits;
// each set bit i shows the text with id 801 + i in its own box, from the lowest bit up.

#include <cstdint>

namespace gp {

class Host;

namespace PrintError {
inline constexpr std::uint32_t NoImage = 1;
inline constexpr std::uint32_t NoPrinterContext = 2;
inline constexpr std::uint32_t NextBandMissing = 4;
inline constexpr std::uint32_t BandInfoFailed = 8;
inline constexpr std::uint32_t SetDibitsFailed = 16;
inline constexpr std::uint32_t StretchFailed = 32;
inline constexpr std::uint32_t StartDocFailed = 64;
inline constexpr std::uint32_t SetAbortProcFailed = 128;
inline constexpr std::uint32_t StartPageFailed = 256;
inline constexpr std::uint32_t NewFrameFailed = 512;
inline constexpr std::uint32_t EndDocFailed = 1024;
inline constexpr std::uint32_t NextBandFailed = 2048;
inline constexpr std::uint32_t StartDocMissing = 4096;
inline constexpr std::uint32_t SetAbortProcMissing = 8192;
inline constexpr std::uint32_t StartPageMissing = 16384;
inline constexpr std::uint32_t EndPageMissing = 32768;
inline constexpr std::uint32_t EndDocMissing = 65536;
inline constexpr std::uint32_t LoadPrinterFailed = 131072;
} // namespace PrintError

struct PrintResult {
    std::uint32_t errors = 0;
    bool aborted = false; // the user cancelled the job
    friend bool operator==(const PrintResult&, const PrintResult&) = default;
};

// Shows the boxes of a print result: nothing after a user abort, "No error while printing." for
// no bits, otherwise one box per set bit (a bit without a text beeps instead).
void reportPrintErrors(Host& host, const PrintResult& result);

} // namespace gp
