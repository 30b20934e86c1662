#include "codecs/GifWriter.h"

#include "codecs/Lzw.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cstdio>
#include <unistd.h>

namespace gp {

namespace {

constexpr std::size_t kSubBlockSize = 255;

struct DepthLayout {
    std::uint8_t screenPacked; // global table present, colour resolution, table size
    int tableEntries;
    int minimumCodeSize;
};

DepthLayout layoutFor(int bits)
{
    switch (bits) {
    case 1: return { 0x80, 2, 2 };
    case 4: return { 0xB3, 16, 4 };
    default: return { 0xF7, 256, 8 };
    }
}

void appendU16(std::vector<std::uint8_t>& out, int value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

// Moves every full sub-block's worth of codes from `codes` to the file; with `all`, the rest too.
void cutSubBlocks(std::vector<std::uint8_t>& codes, std::vector<std::uint8_t>& file, bool all)
{
    std::size_t start = 0;
    while (codes.size() - start >= kSubBlockSize || (all && start < codes.size())) {
        const std::size_t length = std::min(kSubBlockSize, codes.size() - start);
        file.push_back(std::uint8_t(length));
        file.insert(file.end(), codes.begin() + std::ptrdiff_t(start), codes.begin() + std::ptrdiff_t(start + length));
        start += length;
    }
    codes.erase(codes.begin(), codes.begin() + std::ptrdiff_t(start));
}

// One row as one index per byte.
void unpackRow(const std::uint8_t* row, int bits, std::vector<std::uint8_t>& indices)
{
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < indices.size(); ++x) {
        const int shift = 8 - bits * (int(x % perByte) + 1);
        indices[x] = std::uint8_t((row[x / perByte] >> shift) & mask);
    }
}

bool writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A full disk may show only when the buffered bytes are flushed and synced.
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

} // namespace

std::vector<std::uint8_t> encodeGif(const Image& image)
{
    const int bits = image.bitsPerPixel();
    const DepthLayout layout = layoutFor(bits);
    std::vector<std::uint8_t> file { 'G', 'I', 'F', '8', '7', 'a' };
    appendU16(file, image.width());
    appendU16(file, image.height());
    file.insert(file.end(), { layout.screenPacked, 0, 0 });
    for (int i = 0; i < layout.tableEntries; ++i) {
        const Rgbq c = i < image.colorCount() ? image.color(i) : Rgbq {};
        file.insert(file.end(), { c.red, c.green, c.blue });
    }
    file.push_back(',');
    appendU16(file, 0);
    appendU16(file, 0);
    appendU16(file, image.width());
    appendU16(file, image.height());
    file.push_back(0); // no local table, not interlaced
    file.push_back(std::uint8_t(layout.minimumCodeSize));

    LzwEncoder encoder(gifLzwRules(layout.minimumCodeSize));
    std::vector<std::uint8_t> codes;
    std::vector<std::uint8_t> indices(std::size_t(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        if (bits == 8) {
            encoder.encode({ image.row(y), indices.size() }, codes);
        } else {
            unpackRow(image.row(y), bits, indices);
            encoder.encode(indices, codes);
        }
        cutSubBlocks(codes, file, false);
    }
    encoder.finish(codes);
    cutSubBlocks(codes, file, true);
    file.push_back(0);
    file.push_back(';');
    return file;
}

WriteResult writeGifFile(const std::string& path, const Image& image, Host& host)
{
    if (image.isNull())
        return WriteResult::Reported;
    if (image.bitsPerPixel() > 8) {
        host.message(text(StringId::CaptionWarning), text(StringId::GifTrueColorRefused), Icon::Warning);
        return WriteResult::Reported;
    }
    // The file keeps sizes in 16 bits; a larger image would be written with wrong ones.
    if (image.width() > 65535 || image.height() > 65535) {
        host.message(text(StringId::CaptionWarning), text(StringId::GifTooLarge), Icon::Warning);
        return WriteResult::Reported;
    }
    return writeAll(path, encodeGif(image)) ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
