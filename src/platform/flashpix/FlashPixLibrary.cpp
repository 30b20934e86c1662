// The exported functions of libglimmer-flashpix.so; see FlashPix.h.

#include "FlashPix.h"

#include "FlashPixReader.h"
#include "FlashPixWriter.h"
#include "PackedBitmap.h"
#include "base/AtomicFile.h"

#include <new>

#define FPX_EXPORT __attribute__((visibility("default")))

namespace {

// The largest file and picture the library takes on; beyond them a read gives nothing.
constexpr std::size_t kLargestFile = std::size_t(1) << 30;
constexpr std::size_t kLargestPicture = std::size_t(1) << 30;

} // namespace

extern "C" {

FPX_EXPORT void* FPXreadImage(const char* fileName)
{
    if (!fileName)
        return nullptr;
    try {
        auto bytes = gp::readWholeFile(fileName, kLargestFile);
        if (!bytes)
            return nullptr;
        auto raster = gp::fpx::readFlashPix(*bytes, kLargestPicture);
        if (!raster)
            return nullptr;
        auto packed = gp::fpx::packedFromRaster(*raster);
        return packed ? packed->release() : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

FPX_EXPORT int FPXwriteImage(const void* document, const char* fileName, unsigned short quality)
{
    if (!document || !fileName || quality > 100)
        return 0;
    try {
        auto raster = gp::fpx::rasterFromPacked(static_cast<const std::uint8_t*>(document));
        if (!raster)
            return 0;
        gp::fpx::WriteOptions options;
        options.coding = quality == 0 ? gp::fpx::TileCoding::Uncompressed : gp::fpx::TileCoding::Jpeg;
        options.quality = quality;
        auto file = gp::fpx::buildFlashPix(*raster, options);
        if (!file)
            return 0;
        return gp::writeFileAtomically(fileName, *file) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // extern "C"
