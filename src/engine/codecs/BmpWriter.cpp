#include "codecs/BmpWriter.h"

#include "base/ByteReader.h"
#include "base/EarlyWriteback.h"

#include <algorithm>

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
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size() && std::fflush(file) == 0;
    // The rows go out a stretch at a time, each stretch's disk write started before the next.
    EarlyWriteback writeback(fileno(file));
    for (std::size_t done = 0; ok && done < packed.size();) {
        const std::size_t piece = std::min<std::size_t>(packed.size() - done, EarlyWriteback::kStretch);
        ok = std::fwrite(packed.data() + done, 1, piece, file) == piece && std::fflush(file) == 0;
        done += piece;
        writeback.written(header.size() + done);
    }
    // A full disk may show only when the buffered bytes are flushed and synced.
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
