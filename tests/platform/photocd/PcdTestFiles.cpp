#include "PcdTestFiles.h"

#include "ExternalTools.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace gp::test {

namespace {

constexpr std::size_t kSector = 2048;

std::string shellQuoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

void padToSector(std::vector<std::uint8_t>& bytes)
{
    bytes.resize((bytes.size() + kSector - 1) / kSector * kSector);
}

} // namespace

std::vector<std::uint8_t> residualCodeTable()
{
    std::vector<std::uint8_t> table { 0 }; // count − 1, filled in below
    table.insert(table.end(), { 0, 0x00, 0x00, 0 });
    for (int d = -128; d < 128; ++d) {
        if (d == 0)
            continue;
        const std::uint32_t code = ((2u << 8) | std::uint32_t(d & 0xFF)) << 6;
        table.insert(table.end(), { 9, std::uint8_t(code >> 8), std::uint8_t(code), std::uint8_t(d & 0xFF) });
    }
    table[0] = std::uint8_t(255);
    return table;
}

bool haveImageMagick()
{
    return haveTool("convert");
}

std::string formatToolsDir()
{
    const std::string dir = GLIMMER_FORMAT_TOOLS_DIR;
    return !dir.empty() && std::filesystem::exists(dir) ? dir : std::string();
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool makeBasePcd(const std::filesystem::path& pcd, bool portrait)
{
    const auto png = pcd.string() + ".png";
    const std::string picture = portrait
        ? "-size 400x600 gradient:yellow-navy -fill green -draw 'rectangle 20,30 150,200'"
        : "-size 768x512 gradient:red-blue -fill white -draw 'rectangle 100,100 300,200' "
          "-fill lime -draw 'circle 600,300 650,350'";
    return runTool("convert " + picture + " " + shellQuoted(png))
        && runTool("convert " + shellQuoted(png) + " " + shellQuoted(pcd));
}

std::optional<RgbPicture> imageMagickYcc(const std::filesystem::path& pcd, int scene)
{
    const auto ppm = pcd.string() + "." + std::to_string(scene) + ".ppm";
    if (!runTool("convert '" + pcd.string() + "[" + std::to_string(scene) + "]' -set colorspace sRGB -depth 8 "
            + shellQuoted(ppm)))
        return std::nullopt;
    return readNetpbm(ppm);
}

std::vector<std::uint8_t> withResiduals(std::vector<std::uint8_t> pack, const ResidualPattern& fourBase,
    const ResidualPattern* sixteenBase, bool withChroma16)
{
    pack.resize(388 * kSector); // header, three base pictures, the 4Base attribute and pointer sectors
    const auto table = residualCodeTable();
    pack.insert(pack.end(), table.begin(), table.end());
    padToSector(pack);

    ResidualBits rows4;
    for (int y = 0; y < 1024; ++y) {
        rows4.sync(0, y);
        for (int x = 0; x < 1536; ++x)
            rows4.residual(fourBase(0, x, y));
    }
    rows4.sync(0, 1024);
    rows4.align();
    pack.insert(pack.end(), rows4.bytes().begin(), rows4.bytes().end());
    pack.insert(pack.end(), 64, 0);
    padToSector(pack);
    const std::size_t stop4 = pack.size() / kSector;
    int highest = 1;

    if (sixteenBase) {
        highest = 2;
        pack.resize(pack.size() + 12 * kSector);
        for (int i = 0; i < 3; ++i)
            pack.insert(pack.end(), table.begin(), table.end());
        pack.resize((stop4 + 14) * kSector);
        ResidualBits rows16;
        for (int y = 0; y < 2048; ++y) {
            rows16.sync(0, y);
            for (int x = 0; x < 3072; ++x)
                rows16.residual((*sixteenBase)(0, x, y));
        }
        for (int plane = 1; withChroma16 && plane <= 2; ++plane)
            for (int y = 0; y < 1024; ++y) {
                rows16.sync(plane + 1, 2 * y);
                for (int x = 0; x < 1536; ++x)
                    rows16.residual((*sixteenBase)(plane, x, y));
            }
        rows16.sync(0, 2048);
        rows16.align();
        pack.insert(pack.end(), rows16.bytes().begin(), rows16.bytes().end());
        pack.insert(pack.end(), 64, 0);
        padToSector(pack);
    }
    pack[0xE02] = std::uint8_t((pack[0xE02] & 0x03) | (highest << 2));
    pack[0xE03] = std::uint8_t(stop4 >> 8);
    pack[0xE04] = std::uint8_t(stop4);
    pack[0xE09] = 1;
    return pack;
}

} // namespace gp::test
