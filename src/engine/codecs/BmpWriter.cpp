#include "codecs/BmpWriter.h"

#include "base/ByteReader.h"

#include <cstdio>
#include <unistd.h>

namespace gp {

std::vector<std::uint8_t> bmpFileHeader(const Image& image)
{
    const std::size_t offBits = 14 + image.bitsOffset();
    std::vector<std::uint8_t> header(14, 0);
    header[0] = 'B';
    header[1] = 'M';
    storeU32Le(header.data() + 2, std::uint32_t(offBits + image.imageSize()));
    storeU32Le(header.data() + 10, std::uint32_t(offBits));
    return header;
}

WriteResult writeBmpFile(const std::string& path, const Image& image)
{
    if (image.isNull())
        return WriteResult::Reported;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return WriteResult::WriteError;
    const auto header = bmpFileHeader(image);
    const auto packed = image.packed();
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size()
        && std::fwrite(packed.data(), 1, packed.size(), file) == packed.size();
    // A full disk may show only when the buffered bytes are flushed and synced.
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
