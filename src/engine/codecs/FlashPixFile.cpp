#include "codecs/FlashPixFile.h"

#include "base/ByteReader.h"
#include "base/DynamicLibrary.h"
#include "codecs/ImageFileContext.h"
#include "codecs/SaveOptions.h"
#include "image/Allocator.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace gp {

namespace {

using ReadFunction = void* (*)(const char*);
using WriteFunction = int (*)(const void*, const char*, unsigned short);

struct FreeBlock {
    void operator()(void* p) const { std::free(p); }
};

// The library's packed bitmap (40-byte header, colour table, bottom-up rows) as an image of ours.
ReadResult adoptBlock(const std::uint8_t* block, const ImageFileContext& files)
{
    const std::int32_t width = std::int32_t(loadU32Le(block + 4));
    const std::int32_t height = std::int32_t(loadU32Le(block + 8));
    const int bits = loadU16Le(block + 14);
    if (loadU32Le(block) != 40 || width <= 0 || height <= 0 || (bits != 8 && bits != 24))
        return ReadResult::noImage("FlashPix: the library gave an unexpected picture");
    const std::uint32_t colors = bits == 8 ? std::min<std::uint32_t>(loadU32Le(block + 32), 256) : 0;
    auto image = files.allocator.image(width, height, bits, bits == 8 ? 256 : 0, text(StringId::CaptionSystemMessage));
    if (!image)
        return ReadResult::noImage("FlashPix: not enough memory");
    std::memcpy(image->colorTable().data(), block + 40, 4 * std::size_t(colors));
    std::memcpy(image->pixels().data(), block + 40 + 4 * std::size_t(colors), image->rowSize() * std::size_t(height));
    image->setResolution(std::int32_t(loadU32Le(block + 24)), std::int32_t(loadU32Le(block + 28)));
    return ReadResult::read(std::move(*image));
}

} // namespace

ReadResult readFlashPixFile(const std::string& path, const ImageFileContext& files)
{
    auto library = DynamicLibrary::open(files.library(kFlashPixLibraryName));
    if (!library)
        return ReadResult::noImage("FlashPix library missing");
    const auto read = library->function<ReadFunction>("FPXreadImage");
    if (!read)
        return ReadResult::noImage("FlashPix library incomplete");
    const std::unique_ptr<void, FreeBlock> block(read(path.c_str()));
    if (!block)
        return ReadResult::noImage("the FlashPix library gave no picture");
    return adoptBlock(static_cast<const std::uint8_t*>(block.get()), files);
}

WriteResult writeFlashPixFile(const std::string& path, const Image& image, const ImageFileContext& files)
{
    auto library = DynamicLibrary::open(files.library(kFlashPixLibraryName));
    if (!library)
        return WriteResult::WriteError;
    const auto write = library->function<WriteFunction>("FPXwriteImage");
    if (!write)
        return WriteResult::WriteError;
    const auto quality = static_cast<unsigned short>(std::clamp(files.saveOptions.quality, 1, 100));
    return write(image.packed().data(), path.c_str(), quality) == 1 ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
