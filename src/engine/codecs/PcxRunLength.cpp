#include "codecs/PcxRunLength.h"

#include <algorithm>
#include <cstring>

namespace gp {

namespace {

constexpr std::uint8_t kCountFlag = 0xC0;
constexpr std::size_t kLongestRun = 63;

} // namespace

void encodePcxRuns(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t value = bytes[i];
        std::size_t run = 1;
        while (run < kLongestRun && i + run < bytes.size() && bytes[i + run] == value)
            ++run;
        if (run > 1 || value >= kCountFlag)
            out.push_back(std::uint8_t(kCountFlag | run));
        out.push_back(value);
        i += run;
    }
}

bool PcxRunDecoder::nextPiece()
{
    if (!m_more)
        return false;
    m_coded = m_more();
    m_position = 0;
    return !m_coded.empty();
}

bool PcxRunDecoder::decode(std::span<std::uint8_t> line)
{
    std::size_t filled = 0;
    while (filled < line.size()) {
        if (m_runLeft > 0) {
            const std::size_t count = std::min(m_runLeft, line.size() - filled);
            std::memset(line.data() + filled, m_runValue, count);
            filled += count;
            m_runLeft -= count;
            continue;
        }
        if (m_position >= m_coded.size() && !nextPiece())
            break;
        const std::uint8_t byte = m_coded[m_position++];
        if (byte < kCountFlag) {
            line[filled++] = byte;
            continue;
        }
        if (m_position >= m_coded.size() && !nextPiece())
            break;
        m_runValue = m_coded[m_position++];
        m_runLeft = byte & 0x3F;
    }
    std::fill(line.begin() + std::ptrdiff_t(filled), line.end(), std::uint8_t(0));
    return filled == line.size();
}

} // namespace gp
