#include "codecs/WholeFileReader.h"

#include "base/AtomicFile.h"

#include <cstdint>

namespace gp {

ReadResult readWholeImageFile(const std::string& path, const Allocator& allocator, ImageDecoder decode)
{
    const std::size_t ceiling = allocator.ceiling();
    const std::size_t limit = ceiling > SIZE_MAX / 4 ? SIZE_MAX / 2 : ceiling * 2 + 65536;
    auto bytes = readWholeFile(path, limit);
    if (!bytes) {
        if (bytes.error().kind == ErrorKind::TooLarge) {
            allocator.reportOutOfMemory();
            return ReadResult::noImage(bytes.error().message);
        }
        return ReadResult::cannotRead(bytes.error().message);
    }
    return decode(*bytes, allocator);
}

} // namespace gp
