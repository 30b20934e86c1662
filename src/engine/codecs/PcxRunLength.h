#pragma once
// The run-length code of PCX files: a byte of 0xC0 or above carries a count in its low six bits
// for the byte that follows it; any other byte stands for itself.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace gp {

// Appends the coded form of bytes to out: runs of at most 63 equal bytes, and a lone byte of
// 0xC0 or above as a run of one so it cannot be taken for a count.
void encodePcxRuns(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out);

// Decodes coded bytes into successive lines. A run that does not fit the line it starts in goes
// on into the next one, as some writers code whole pictures as one stream.
class PcxRunDecoder {
public:
    // Hands the next piece of the coded bytes; an empty piece means they have all been handed.
    using MoreCoded = std::function<std::span<const std::uint8_t>()>;

    explicit PcxRunDecoder(std::span<const std::uint8_t> coded)
        : m_coded(coded)
    {
    }
    // Decodes coded bytes that come in pieces, so a file need not be held whole; a count and the
    // byte it repeats may fall in different pieces.
    explicit PcxRunDecoder(MoreCoded more)
        : m_more(std::move(more))
    {
    }

    // Fills line completely; false when the coded bytes ran out first (the rest is then zero).
    bool decode(std::span<std::uint8_t> line);

private:
    // Moves on to the next piece of coded bytes once this one is used up; false when none is left.
    bool nextPiece();

    MoreCoded m_more;
    std::span<const std::uint8_t> m_coded;
    std::size_t m_position = 0;
    std::uint8_t m_runValue = 0;
    std::size_t m_runLeft = 0;
};

} // namespace gp
