#include "RgbPicture.h"

#include "ExternalTools.h"

#include <cstdlib>
#include <fstream>

namespace gp::test {

std::optional<RgbPicture> readNetpbm(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (!in || (magic != "P6" && magic != "P5") || maxValue != 255 || width <= 0 || height <= 0)
        return std::nullopt;
    in.get();
    const int channels = magic == "P6" ? 3 : 1;
    std::vector<std::uint8_t> raw(std::size_t(width) * height * channels);
    in.read(reinterpret_cast<char*>(raw.data()), std::streamsize(raw.size()));
    if (!in)
        return std::nullopt;
    RgbPicture picture { width, height, {} };
    if (channels == 3) {
        picture.rgb = std::move(raw);
    } else {
        picture.rgb.reserve(raw.size() * 3);
        for (std::uint8_t v : raw)
            picture.rgb.insert(picture.rgb.end(), { v, v, v });
    }
    return picture;
}

std::optional<RgbPicture> decodeWithImageMagick(const std::filesystem::path& path, const std::filesystem::path& workDir)
{
    const auto out = workDir / (path.filename().string() + ".ppm");
    if (!runTool("convert '" + path.string() + "' -alpha off -depth 8 'ppm:" + out.string() + "' 2>/dev/null"))
        return std::nullopt;
    return readNetpbm(out);
}

RgbPicture toRgb(const Image& image)
{
    RgbPicture picture { image.width(), image.height(), {} };
    picture.rgb.resize(std::size_t(image.width()) * image.height() * 3);
    const int bits = image.bitsPerPixel();
    const auto table = image.colorTable();
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* out = picture.rgb.data() + (std::size_t(y) * image.width() + x) * 3;
            if (bits == 24) {
                out[0] = row[3 * x + 2];
                out[1] = row[3 * x + 1];
                out[2] = row[3 * x];
                continue;
            }
            const int perByte = 8 / bits;
            const int index = (row[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1 << bits) - 1);
            const Rgbq c = std::size_t(index) < table.size() ? table[std::size_t(index)] : Rgbq {};
            out[0] = c.red;
            out[1] = c.green;
            out[2] = c.blue;
        }
    }
    return picture;
}

int countDifferences(const RgbPicture& a, const RgbPicture& b, int tolerance)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        count += std::abs(int(a.rgb[i]) - int(b.rgb[i])) > tolerance;
    return count;
}

} // namespace gp::test
