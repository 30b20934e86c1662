#pragma once
// Photo CD test files: base-only packs made by ImageMagick, ImageMagick's own decodes of them as raw
// YCC planes (the judge for our decoder), and a small writer of coded 4Base/16Base residuals for
// the packs no tool here can make.

#include "RgbPicture.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gp::test {

bool haveImageMagick();
std::string formatToolsDir(); // empty when the format notes' tools are absent

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);


// A base-only pack of a picture with gradients and flat patches; portrait is 400 × 600.
bool makeBasePcd(const std::filesystem::path& pcd, bool portrait);
// ImageMagick's decode of the given scene (3 Base, 4 4Base, 5 16Base) with luma in the first
// channel and the two chroma components, interpolated to full size, in the others.
std::optional<RgbPicture> imageMagickYcc(const std::filesystem::path& pcd, int scene);

// Writes coded residual rows MSB first: '0' codes 0, '10' and eight bits code any other value.
class ResidualBits {
public:
    void put(std::uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = std::uint8_t((m_byte << 1) | ((value >> i) & 1));
            if (++m_bits == 8) {
                m_bytes.push_back(m_byte);
                m_bits = 0;
                m_byte = 0;
            }
        }
    }
    void align()
    {
        if (m_bits)
            put(0, 8 - m_bits);
    }
    void residual(int value)
    {
        if (value == 0)
            put(0, 1);
        else
            put((2u << 8) | std::uint32_t(value & 0xFF), 10);
    }
    // A sync and row header; aligned to a byte first unless told otherwise.
    void sync(int plane, int row, bool alignFirst = true)
    {
        if (alignFirst)
            align();
        put(0xFFFFFE, 24);
        put(std::uint32_t((plane << 14) | (row << 1)), 16);
    }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint8_t m_byte = 0;
    int m_bits = 0;
};

// The code table ResidualBits writes for: 255 codes, two's-complement residuals.
std::vector<std::uint8_t> residualCodeTable();

// Residual of a plane at (x, y); plane 0 luma, 1 C1, 2 C2.
using ResidualPattern = std::function<int(int plane, int x, int y)>;

// Appends coded 4Base luma residuals and, when sixteenBase is given, 16Base residuals to a
// base-only pack (code '0' for 0, '10' and eight bits for any other value). withChroma16 writes
// the 16Base chroma rows too.
std::vector<std::uint8_t> withResiduals(std::vector<std::uint8_t> basePack, const ResidualPattern& fourBase,
    const ResidualPattern* sixteenBase, bool withChroma16);

} // namespace gp::test
